#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "notes/NoteStore.h"
#include "platform/SettingsStore.h"

using noctiva::core::SerialFromCivil;
using noctiva::notes::NoteKey;
using noctiva::notes::NoteStore;
using noctiva::platform::kNotesSection;
using noctiva::platform::SettingsStore;

class StoreTest : public QObject {
    Q_OBJECT

  private:
    QString iniPath() const { return dir_.filePath(QStringLiteral("Noctiva.ini")); }
    // The note as another process reads it from the file.
    QString readElsewhere(const QString& key) const {
        QProcess reader;
        reader.start(QStringLiteral(NOTES_WRITER), {QStringLiteral("--read"), iniPath(), key});
        if (!reader.waitForFinished(30000) || reader.exitCode() != 0) {
            return QStringLiteral("<reader failed>");
        }
        return QString::fromUtf8(reader.readAllStandardOutput());
    }
    QTemporaryDir dir_;
    const double dec9_1830_ = SerialFromCivil(2009, 12, 9, 18, 30);

  private slots:
    void init() { QFile::remove(iniPath()); }

    void noteKey_data() {
        QTest::addColumn<double>("serial");
        QTest::addColumn<QString>("key");
        QTest::newRow("evening") << SerialFromCivil(2009, 12, 9, 18, 30) << "09.12.2009";
        QTest::newRow("midnight") << SerialFromCivil(2010, 3, 1) << "01.03.2010";
        QTest::newRow("18:45") << SerialFromCivil(2010, 3, 1, 18, 45) << "01.03.2010";
        QTest::newRow("last second") << SerialFromCivil(2010, 3, 1, 23, 59, 59) << "01.03.2010";
        QTest::newRow("just before midnight")
            << SerialFromCivil(2010, 3, 1) + 0.99999999 << "01.03.2010";
        QTest::newRow("first picker day") << SerialFromCivil(1900, 1, 1) << "01.01.1900";
        QTest::newRow("last picker day") << SerialFromCivil(2100, 12, 31, 23, 59) << "31.12.2100";
        QTest::newRow("before 1900 serial 0") << 0.25 << "30.12.1899";
    }
    void noteKey() {
        QFETCH(double, serial);
        QFETCH(QString, key);
        QCOMPARE(NoteKey(serial), key);
    }

    void roundTrip_data() {
        QTest::addColumn<QString>("text");
        QString big;
        for (int i = 0; big.size() < 100000; ++i) {
            big += QStringLiteral("строка %1 = \"x\"; # [y] \\z %2 🌙\r\n").arg(i).arg(i % 7);
        }
        big.truncate(100000);
        QTest::newRow("crlf lines") << QStringLiteral("первая\r\nвторая\r\n\r\nтретья\r\n");
        QTest::newRow("single space") << QStringLiteral(" ");
        QTest::newRow("spaces around") << QStringLiteral("  a  ");
        QTest::newRow("quotes") << QStringLiteral("\"в кавычках\" и 'так' \"");
        QTest::newRow("ini syntax") << QStringLiteral("a=b; c # d [e] ]f[ [Noctiva]");
        QTest::newRow("leading ini syntax") << QStringLiteral("[Descriptions]\r\n; x\r\n# y\r\n=z");
        QTest::newRow("backslashes") << QStringLiteral("C:\\notes\\ \\\\ \\n \\r \\t \\x41 \\");
        QTest::newRow("percent") << QStringLiteral("100% %1 %% %U %41 %D0%91");
        QTest::newRow("variant lookalike") << QStringLiteral("@Variant(\\0\\0) @ByteArray(x) @");
        QTest::newRow("cyrillic") << QStringLiteral("Полнолуние — посадить чеснок. Ёж, щётка.");
        QTest::newRow("emoji") << QStringLiteral(
            "🌕🌖🌗🌘🌑 👩‍👩‍👧 🇷🇺");
        QTest::newRow("tabs and lone breaks") << QStringLiteral("\ta\tb\nc\rd");
        QTest::newRow("commas") << QStringLiteral("a, b, c");
        QTest::newRow("100000 characters") << big;
    }
    void roundTrip() {
        QFETCH(QString, text);
        {
            SettingsStore settings(iniPath());
            NoteStore store(settings);
            QVERIFY2(store.WriteNote(dec9_1830_, text), qPrintable(store.lastError()));
            QVERIFY(store.lastError().isEmpty());
        }
        SettingsStore fresh(iniPath());
        QCOMPARE(NoteStore(fresh).ReadNote(SerialFromCivil(2009, 12, 9, 7, 5)), text);
        QCOMPARE(fresh.Keys(kNotesSection), QStringList{QStringLiteral("09.12.2009")});
        // The write was on disk when it returned: another process reads it.
        QCOMPARE(readElsewhere(QStringLiteral("09.12.2009")), text);
    }

    void notesOfDifferentDatesAreSeparate() {
        SettingsStore settings(iniPath());
        NoteStore store(settings);
        QVERIFY(store.WriteNote(SerialFromCivil(2009, 12, 9), QStringLiteral("девятое")));
        QVERIFY(store.WriteNote(SerialFromCivil(2009, 12, 10), QStringLiteral("десятое")));
        QVERIFY(store.WriteNote(SerialFromCivil(2009, 12, 9, 23, 0), QStringLiteral("снова")));
        QCOMPARE(store.ReadNote(SerialFromCivil(2009, 12, 9)), QStringLiteral("снова"));
        QCOMPARE(store.ReadNote(SerialFromCivil(2009, 12, 10)), QStringLiteral("десятое"));
        QCOMPARE(store.ReadNote(SerialFromCivil(2009, 12, 11)), QString());
    }

    void emptyTextDeletes() {
        SettingsStore settings(iniPath());
        NoteStore store(settings);
        QVERIFY(store.WriteNote(dec9_1830_, QStringLiteral("заметка")));
        QVERIFY(store.WriteNote(SerialFromCivil(2009, 12, 10), QStringLiteral("другая")));
        QVERIFY(store.WriteNote(SerialFromCivil(2009, 12, 9), QString()));
        QCOMPARE(store.ReadNote(dec9_1830_), QString());
        QCOMPARE(SettingsStore(iniPath()).Keys(kNotesSection),
                 QStringList{QStringLiteral("10.12.2009")});
        QFile file(iniPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(!file.readAll().contains("09.12.2009"));

        // Nothing to delete: silent, and still a success.
        QVERIFY(store.WriteNote(dec9_1830_, QString()));
        QVERIFY(store.DeleteNote(dec9_1830_));
        QVERIFY(store.DeleteNote(SerialFromCivil(2030, 1, 1)));
        QVERIFY(store.lastError().isEmpty());
        QCOMPARE(store.ReadNote(SerialFromCivil(2009, 12, 10)), QStringLiteral("другая"));
    }

    void deleteNote() {
        SettingsStore settings(iniPath());
        NoteStore store(settings);
        QVERIFY(store.WriteNote(dec9_1830_, QStringLiteral(" ")));
        QVERIFY(store.DeleteNote(SerialFromCivil(2009, 12, 9, 1, 0)));
        QCOMPARE(SettingsStore(iniPath()).Keys(kNotesSection), QStringList());
    }

    // A writer killed while it took the settings file's lock leaves the lock
    // empty; the next write must not wait for it to go stale.
    void emptyLockOfAKilledWriterDoesNotStall() {
        const QString lock = iniPath() + QStringLiteral(".lock");
        QFile file(lock);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-1),
                                 QFileDevice::FileModificationTime));
        file.close();
        SettingsStore settings(iniPath());
        NoteStore store(settings);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(store.WriteNote(dec9_1830_, QStringLiteral("после сбоя")));
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(readElsewhere(QStringLiteral("09.12.2009")), QStringLiteral("после сбоя"));
        QVERIFY(!QFile::exists(lock));
    }

    // The settings path's parent is a regular file: no one, not even root,
    // can create the settings file there.
    void refusedWriteIsReported() {
        QFile blocker(dir_.filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        SettingsStore settings(dir_.filePath(QStringLiteral("blocker/Noctiva.ini")));
        NoteStore store(settings);
        QVERIFY(!store.WriteNote(dec9_1830_, QStringLiteral("не сохранится")));
        QVERIFY(!store.lastError().isEmpty());
        // The refused text is not served from memory either.
        QCOMPARE(store.ReadNote(dec9_1830_), QString());
        // A later success clears the reason.
        QVERIFY(store.DeleteNote(dec9_1830_));
        QVERIFY(store.lastError().isEmpty());
    }
};

QTEST_GUILESS_MAIN(StoreTest)
#include "StoreTest.moc"
