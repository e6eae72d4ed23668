#include "notes/NoteStore.h"

#include <QFile>

#include "platform/SettingsStore.h"

namespace noctiva::notes {

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
    return finish(settings_.SaveSetting(platform::kNotesSection, NoteKey(local), text));
}

bool NoteStore::DeleteNote(DateSerial local) {
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
