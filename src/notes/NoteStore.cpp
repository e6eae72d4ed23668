#include "notes/NoteStore.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/SettingsStore.h"

namespace noctiva::notes {

namespace {

// The settings file is guarded by "<file>.lock" (QLockFile): the writer
// creates it, takes an flock on it and then writes its process id into it. A
// writer killed between the creation and the process id leaves an empty lock
// that QLockFile treats as stale only after 30 seconds, and every write waits
// that long. An empty lock whose flock nobody holds is such a leftover once it
// is older than the instant between a live writer's creation and its flock.
constexpr auto kLockSettleTime = std::chrono::milliseconds(100);

void removeAbandonedLock(const QString& settingsPath) {
    const QByteArray lock = QFile::encodeName(settingsPath + QStringLiteral(".lock"));
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd = ::open(lock.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            return;  // no lock
        }
        struct stat held {};
        struct stat named {};
        const bool abandoned = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 &&
                               held.st_size == 0 && ::stat(lock.constData(), &named) == 0 &&
                               named.st_ino == held.st_ino && named.st_dev == held.st_dev;
        std::chrono::nanoseconds age{};
        if (abandoned) {
            const auto made = std::chrono::system_clock::time_point(
                std::chrono::duration_cast<std::chrono::system_clock::duration>(
                    std::chrono::seconds(held.st_mtim.tv_sec) +
                    std::chrono::nanoseconds(held.st_mtim.tv_nsec)));
            age = std::chrono::system_clock::now() - made;
            if (age >= kLockSettleTime) {
                ::unlink(lock.constData());
            }
        }
        ::close(fd);
        if (!abandoned || age >= kLockSettleTime) {
            return;
        }
        std::this_thread::sleep_for(
            std::min<std::chrono::nanoseconds>(kLockSettleTime - age, kLockSettleTime));
    }
}

}  // namespace

QDate LocalDate(DateSerial local) {
    // The whole part of the serial names the day, also for negative serials.
    const core::CivilTime c =
        core::CivilFromSerial(static_cast<double>(static_cast<long long>(local)));
    return QDate(c.year, c.month, c.day);
}

DateSerial SerialOf(QDate date) {
    return core::SerialFromCivil(date.year(), date.month(), date.day());
}

QString NoteKey(QDate date) {
    return QStringLiteral("%1.%2.%3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString NoteKey(DateSerial local) {
    return NoteKey(LocalDate(local));
}

NoteStore::NoteStore(platform::SettingsStore& settings) : settings_(settings) {}

QString NoteStore::ReadNote(DateSerial local) const {
    return settings_.GetSetting(platform::kNotesSection, NoteKey(local), QString());
}

bool NoteStore::WriteNote(DateSerial local, const QString& text) {
    if (text.isEmpty()) {
        return DeleteNote(local);
    }
    removeAbandonedLock(settings_.filePath());
    return finish(settings_.SaveSetting(platform::kNotesSection, NoteKey(local), text));
}

bool NoteStore::DeleteNote(DateSerial local) {
    removeAbandonedLock(settings_.filePath());
    return finish(settings_.DeleteSetting(platform::kNotesSection, NoteKey(local)));
}

bool NoteStore::finish(bool ok) {
    if (ok) {
        lastError_.clear();
    } else {
        lastError_ = settings_.lastError();
        if (lastError_.isEmpty()) {
            lastError_ = QStringLiteral("хранилище настроек отказало в записи");
        }
    }
    return ok;
}

}  // namespace noctiva::notes
