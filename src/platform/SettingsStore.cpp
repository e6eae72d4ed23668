#include "platform/SettingsStore.h"

#include <QFile>
#include <QSettings>
#include <QVariant>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include <optional>
#include <utility>

namespace noctiva::platform {

namespace {

QString groupOf(const QString& section) {
    QString group = section;
    group.replace(u'\\', u'/');
    return group;
}

// A key holding a group separator would address another section.
bool validKey(const QString& key) {
    return !key.isEmpty() && !key.contains(u'/') && !key.contains(u'\\');
}

// All spellings of `key` present in the current group, the exact one first.
QStringList spellingsOf(const QSettings& settings, const QString& key) {
    QStringList found;
    const QStringList keys = settings.childKeys();
    for (const QString& k : keys) {
        if (k.compare(key, Qt::CaseInsensitive) != 0) {
            continue;
        }
        if (k == key) {
            found.prepend(k);
        } else {
            found.append(k);
        }
    }
    return found;
}

QString valueText(const QVariant& v) {
    // A hand-edited line "a, b" is read by QSettings as a list.
    if (v.typeId() == QMetaType::QStringList) {
        return v.toStringList().join(u',');
    }
    return v.toString();
}

std::optional<QString> readRaw(const QString& path, const QString& section, const QString& key) {
    if (!validKey(key)) {
        return std::nullopt;
    }
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(groupOf(section));
    const QStringList spellings = spellingsOf(settings, key);
    if (spellings.isEmpty()) {
        return std::nullopt;
    }
    return valueText(settings.value(spellings.first()));
}

struct FileStamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    time_t mtimeSec = 0;
    long mtimeNsec = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// Identity of the file on disk: QSettings replaces the file on every write
// (a new file renamed over the old one), so a successful write changes it.
FileStamp stampOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        return {};
    }
    return {true, st.st_dev, st.st_ino, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
}

}  // namespace

SettingsStore::SettingsStore()
    : path_(QSettings(QSettings::IniFormat, QSettings::UserScope, kApplication, kMainSection)
                .fileName()) {}

SettingsStore::SettingsStore(QString filePath) : path_(std::move(filePath)) {}

bool SettingsStore::fail(const QString& reason) {
    lastError_ = reason;
    return false;
}

QString SettingsStore::GetSetting(const QString& section, const QString& key,
                                  const QString& defaultValue) const {
    return readRaw(path_, section, key).value_or(defaultValue);
}

bool SettingsStore::SaveSetting(const QString& section, const QString& key, const QString& value) {
    return write(section, key, value);
}

bool SettingsStore::DeleteSetting(const QString& section, const QString& key) {
    return write(section, key, std::nullopt);
}

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

bool SettingsStore::write(const QString& section, const QString& key,
                          const std::optional<QString>& value) {
    if (!validKey(key)) {
        return fail(QStringLiteral("недопустимое имя настройки «%1»").arg(key));
    }
    removeAbandonedLock(path_);
    QSettings settings(path_, QSettings::IniFormat);
    settings.beginGroup(groupOf(section));
    const QStringList spellings = spellingsOf(settings, key);
    if (!value && spellings.isEmpty()) {
        lastError_.clear();  // nothing to delete
        return true;
    }
    const FileStamp stamp = stampOf(path_);

    QList<QVariant> before;
    for (const QString& k : spellings) {
        before.append(settings.value(k));
        settings.remove(k);
    }
    if (value) {
        settings.setValue(key, *value);
    }
    settings.sync();
    // A file with lines QSettings could not parse (a byte-order mark, a stray
    // line) sets FormatError, which then hides the outcome of the write
    // (status() keeps the first error): the replaced file tells it instead.
    const QSettings::Status status = settings.status();
    const bool written = status == QSettings::NoError ||
                         (status == QSettings::FormatError && stampOf(path_) != stamp);
    if (written) {
        lastError_.clear();
        return true;
    }
    // QSettings keeps the unwritten change in its per-file cache, where later
    // reads would find it: put the keys back as they are on disk.
    settings.remove(key);
    for (qsizetype i = 0; i < spellings.size(); ++i) {
        settings.setValue(spellings[i], before[i]);
    }
    return fail(QStringLiteral("нет доступа к файлу настроек %1").arg(path_));
}

bool SettingsStore::GetBool(const QString& section, const QString& key, bool def) const {
    const std::optional<QString> raw = readRaw(path_, section, key);
    if (!raw) {
        return def;
    }
    const QString text = raw->trimmed();
    if (text.compare(u"True", Qt::CaseInsensitive) == 0 || text == u"-1") {
        return true;
    }
    if (text.compare(u"False", Qt::CaseInsensitive) == 0 || text == u"0") {
        return false;
    }
    return def;
}

int SettingsStore::GetInt(const QString& section, const QString& key, int def) const {
    const std::optional<QString> raw = readRaw(path_, section, key);
    if (!raw) {
        return def;
    }
    bool ok = false;
    const int value = raw->trimmed().toInt(&ok, 10);
    return ok ? value : def;
}

QStringList SettingsStore::Keys(const QString& section) const {
    QSettings settings(path_, QSettings::IniFormat);
    settings.beginGroup(groupOf(section));
    return settings.childKeys();
}

}  // namespace noctiva::platform
