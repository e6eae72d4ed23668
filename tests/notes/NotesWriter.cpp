// Test helper for the note store.
//
//   notes_writer FILE GEN COUNT
//       writes COUNT notes of generation GEN to the settings file FILE and
//       prints each note's key once its write has returned
//   notes_writer --verify FILE GEN KEY...
//       checks that FILE parses, that each KEY holds its generation-GEN note,
//       and that every note in the file is a whole note of some generation
//       up to GEN
//   notes_writer --read FILE dd.MM.yyyy
//       prints the note of that date as UTF-8, nothing else

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QSettings>
#include <QStringList>

#include <cstdio>
#include <iostream>

#include "notes/NoteStore.h"
#include "platform/SettingsStore.h"

using noctiva::notes::NoteKey;
using noctiva::notes::NoteStore;
using noctiva::notes::SerialOf;
using noctiva::platform::SettingsStore;

namespace {

constexpr int kDates = 300;
const QDate kFirstDate(2009, 12, 1);

// The note of a key in a generation: its header names both, its body mixes
// the characters that the settings file has to escape.
QString noteText(const QString& key, int gen) {
    QString text = QStringLiteral("gen %1 key %2\r\n").arg(gen).arg(key);
    const char* pieces[] = {"Луна растёт; ", "a=b ", "# [x] ", "\\ %1 ",
                            "\"q\" ",        "🌙 ",   "\r\n",   "  "};
    const int length = static_cast<int>((qHash(key) ^ static_cast<size_t>(gen) * 7919u) % 40);
    for (int i = 0; i < length; ++i) {
        text += QString::fromUtf8(pieces[(i + gen) % 8]);
    }
    return text;
}

int fail(const QString& message) {
    std::fprintf(stderr, "notes_writer: %s\n", qPrintable(message));
    return 1;
}

int write(const QString& file, int gen, int count) {
    SettingsStore settings(file);
    NoteStore store(settings);
    const int start = (gen * 37) % kDates;
    for (int i = 0; i < count; ++i) {
        const QDate date = kFirstDate.addDays((start + i) % kDates);
        const QString key = NoteKey(date);
        if (!store.WriteNote(SerialOf(date), noteText(key, gen))) {
            return fail(store.lastError());
        }
        std::printf("%s\n", qPrintable(key));
        std::fflush(stdout);
    }
    return 0;
}

int verify(const QString& file, int gen, const QStringList& keys) {
    {
        QSettings raw(file, QSettings::IniFormat);
        raw.childGroups();
        if (raw.status() != QSettings::NoError) {
            return fail(QStringLiteral("%1 does not parse").arg(file));
        }
    }
    SettingsStore settings(file);
    NoteStore store(settings);
    for (const QString& key : keys) {
        const QDate date = QDate::fromString(key, QStringLiteral("dd.MM.yyyy"));
        if (!date.isValid()) {
            return fail(QStringLiteral("bad key %1").arg(key));
        }
        if (store.ReadNote(SerialOf(date)) != noteText(key, gen)) {
            return fail(QStringLiteral("note %1 of generation %2 lost").arg(key).arg(gen));
        }
    }
    const QStringList present = settings.Keys(noctiva::platform::kNotesSection);
    for (const QString& key : present) {
        const QString text = settings.GetSetting(noctiva::platform::kNotesSection, key, {});
        const QStringList header = text.section(QStringLiteral("\r\n"), 0, 0).split(u' ');
        bool ok = header.size() == 4 && header[3] == key;
        const int g = ok ? header[1].toInt(&ok) : -1;
        if (!ok || g < 0 || g > gen || text != noteText(key, g)) {
            return fail(QStringLiteral("note %1 garbled").arg(key));
        }
    }
    std::printf("%lld notes checked, %lld in the file\n", static_cast<long long>(keys.size()),
                static_cast<long long>(present.size()));
    return 0;
}

int read(const QString& file, const QString& key) {
    const QDate date = QDate::fromString(key, QStringLiteral("dd.MM.yyyy"));
    if (!date.isValid()) {
        return fail(QStringLiteral("bad key %1").arg(key));
    }
    SettingsStore settings(file);
    const QByteArray bytes = NoteStore(settings).ReadNote(SerialOf(date)).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    bool ok = false;
    if (args.size() >= 3 && args[0] == QLatin1String("--verify")) {
        const int gen = args[2].toInt(&ok);
        return ok ? verify(args[1], gen, args.mid(3)) : fail(QStringLiteral("bad generation"));
    }
    if (args.size() == 3 && args[0] == QLatin1String("--read")) {
        return read(args[1], args[2]);
    }
    if (args.size() == 3) {
        bool countOk = false;
        const int gen = args[1].toInt(&ok);
        const int count = args[2].toInt(&countOk);
        if (ok && countOk) {
            return write(args[0], gen, count);
        }
    }
    std::fprintf(stderr,
                 "usage: notes_writer FILE GEN COUNT\n"
                 "       notes_writer --verify FILE GEN KEY...\n"
                 "       notes_writer --read FILE dd.MM.yyyy\n");
    return 2;
}
