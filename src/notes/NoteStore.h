#pragma once
// The notes: one text per calendar date in the settings store's notes section.

#include <QDate>
#include <QString>

#include "core/TimeBase.h"

namespace noctiva::platform {
class SettingsStore;
}

namespace noctiva::notes {

using core::DateSerial;

// The calendar date of a local date-time (the time of day dropped).
QDate LocalDate(DateSerial local);
DateSerial SerialOf(QDate date);

// "dd.MM.yyyy" of the local calendar date: 1 March 2010 18:45 gives "01.03.2010".
QString NoteKey(DateSerial local);
QString NoteKey(QDate date);

// Reads and writes the notes on a settings store. A store holds, for every
// date, either a non-empty text or nothing. The text is kept exactly as given:
// line breaks, surrounding spaces and every character survive unchanged.
class NoteStore {
  public:
    explicit NoteStore(platform::SettingsStore& settings);

    // "" when the date has no note (or the store cannot be read).
    QString ReadNote(DateSerial local) const;
    // Stores a non-empty text; an empty text deletes the note. True once the
    // change is on disk; false (with lastError()) when the store refused it,
    // in which case the note on disk is as it was before the call.
    [[nodiscard]] bool WriteNote(DateSerial local, const QString& text);
    // Removes the note; a date without a note is not an error.
    [[nodiscard]] bool DeleteNote(DateSerial local);

    // Why the last write or delete failed, in Russian; "" after a success.
    QString lastError() const { return lastError_; }

  private:
    bool finish(bool ok);

    platform::SettingsStore& settings_;
    QString lastError_;
};

}  // namespace noctiva::notes
