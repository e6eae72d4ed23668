#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include <limits>

using noctiva::platform::kMainSection;
using noctiva::platform::kNotesSection;
using noctiva::platform::SettingsStore;

namespace {
constexpr uid_t kNobody = 65534;
constexpr int kCannotDrop = 77;
}  // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT

  private:
    QString iniPath() const { return dir_.filePath(QStringLiteral("Noctiva.ini")); }
    static void writeFile(const QString& path, const QByteArray& content) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(content), content.size());
    }
    QTemporaryDir dir_;

  private slots:
    void init() { QFile::remove(iniPath()); }

    void defaultLocationIsPerUserIni() {
        const QString path = SettingsStore().filePath();
        QVERIFY2(path.endsWith(QStringLiteral("/Tarvel_Programming/Noctiva.ini")),
                 qPrintable(path));
    }

    void roundTrip_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");

        const QString notes = kNotesSection;
        const QString main = kMainSection;
        QTest::newRow("plain") << main << "Color"
                               << "3";
        QTest::newRow("empty") << main << "Empty"
                               << "";
        QTest::newRow("single space") << notes << "01.03.2010"
                                      << " ";
        QTest::newRow("crlf lines") << notes << "09.12.2009"
                                    << "первая\r\nвторая\r\n\r\nтретья";
        QTest::newRow("lone cr and lf") << notes << "10.12.2009"
                                        << "a\rb\nc\r";
        QTest::newRow("outer spaces") << notes << "11.12.2009"
                                      << "  text  ";
        QTest::newRow("tabs") << notes << "12.12.2009"
                              << "\ta\tb\t";
        QTest::newRow("quotes") << notes << "13.12.2009"
                                << "\"quoted\" and 'single' \"";
        QTest::newRow("ini syntax") << notes << "14.12.2009"
                                    << "a=b; c # d [e] [Noctiva]";
        QTest::newRow("starts with ;") << notes << "15.12.2009"
                                       << "; not a comment";
        QTest::newRow("starts with #") << notes << "16.12.2009"
                                       << "# not a comment";
        QTest::newRow("starts with [") << notes << "17.12.2009"
                                       << "[section]";
        QTest::newRow("commas") << notes << "18.12.2009"
                                << "one, two,three";
        QTest::newRow("backslashes") << notes << "19.12.2009"
                                     << "C:\\dir\\n\\x41\\\\";
        QTest::newRow("percent") << notes << "20.12.2009"
                                 << "100% %41 %%";
        QTest::newRow("at sign") << notes << "21.12.2009"
                                 << "@Invalid()";
        QTest::newRow("at bytearray") << notes << "22.12.2009"
                                      << "@ByteArray(x)";
        QTest::newRow("bool text") << main << "Zam"
                                   << "True";
        QTest::newRow("cyrillic") << notes << "23.12.2009"
                                  << "Полнолуние — сажать нельзя";
        QTest::newRow("emoji") << notes << "24.12.2009"
                               << "🌕 луна 🌑\u2648";
        QTest::newRow("long text")
            << notes << "25.12.2009" << QString(100000, QChar(u'ж')).replace(500, 2, "\r\n");
    }

    void roundTrip() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);

        SettingsStore store(iniPath());
        QVERIFY2(store.SaveSetting(section, key, value), qPrintable(store.lastError()));
        QVERIFY(store.lastError().isEmpty());
        QCOMPARE(store.GetSetting(section, key, "<none>"), value);

        // Another writer in between must not disturb it.
        QVERIFY(store.SaveSetting(section, "Other", "x"));

        SettingsStore fresh(iniPath());
        QCOMPARE(fresh.GetSetting(section, key, "<none>"), value);
        QCOMPARE(fresh.GetSetting(section, key, "<none>").toUtf8(), value.toUtf8());
    }

    void notesLiveInTheirOwnSection() {
        SettingsStore store(iniPath());
        QVERIFY(store.SaveSetting(kNotesSection, "09.12.2009", "note"));
        QVERIFY(store.SaveSetting(kMainSection, "Zam", "True"));

        QCOMPARE(store.Keys(kNotesSection), QStringList{"09.12.2009"});
        QCOMPARE(store.Keys(kMainSection), QStringList{"Zam"});
        QCOMPARE(store.GetSetting(kMainSection, "09.12.2009", "-"), QString("-"));

        // Stored as the [Noctiva] group's Descriptions subgroup.
        SettingsStore fresh(iniPath());
        QCOMPARE(fresh.GetSetting(kNotesSection, "09.12.2009", ""), QString("note"));
    }

    void missingKeyGivesDefault() {
        SettingsStore store(iniPath());
        QCOMPARE(store.GetSetting(kMainSection, "ToTray", "False"), QString("False"));
        QVERIFY(store.SaveSetting(kMainSection, "Zam", "True"));
        QCOMPARE(store.GetSetting(kMainSection, "ToTray", "dflt"), QString("dflt"));
        QCOMPARE(store.GetSetting("Nowhere", "Zam", "dflt"), QString("dflt"));
    }

    void keysMatchWithoutCase() {
        SettingsStore store(iniPath());
        QVERIFY(store.SaveSetting(kMainSection, "WineMode", "True"));
        QCOMPARE(store.GetSetting(kMainSection, "winemode", "False"), QString("True"));
        QCOMPARE(store.GetSetting(kMainSection, "WINEMODE", "False"), QString("True"));

        QVERIFY(store.SaveSetting(kMainSection, "winemode", "False"));
        QCOMPARE(store.Keys(kMainSection).size(), 1);
        QCOMPARE(SettingsStore(iniPath()).GetSetting(kMainSection, "WineMode", "x"),
                 QString("False"));

        QVERIFY(store.DeleteSetting(kMainSection, "WINEMODE"));
        QVERIFY(store.Keys(kMainSection).isEmpty());
        QCOMPARE(SettingsStore(iniPath()).GetSetting(kMainSection, "winemode", "x"), QString("x"));
    }

    void handEditedDuplicateSpellingsCollapse() {
        writeFile(iniPath(), "[Noctiva]\nwinemode=True\nWineMode=False\n");
        SettingsStore store(iniPath());
        QCOMPARE(store.GetSetting(kMainSection, "WineMode", ""), QString("False"));
        QCOMPARE(store.GetSetting(kMainSection, "winemode", ""), QString("True"));
        QVERIFY(store.SaveSetting(kMainSection, "WineMode", "True"));
        QCOMPARE(SettingsStore(iniPath()).Keys(kMainSection), QStringList{"WineMode"});
    }

    void irregularFileStaysWritable_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF[Noctiva]\nZam=True\n");
        QTest::newRow("stray line") << QByteArray("stray\n[Noctiva]\nZam=True\n");
        QTest::newRow("open section") << QByteArray("[Noctiva]\nZam=True\n[Broken\nk=v\n");
        QTest::newRow("invalid utf-8") << QByteArray("[Noctiva]\nZam=True\nX=\xFF\xFE\n");
    }

    void irregularFileStaysWritable() {
        QFETCH(QByteArray, content);
        writeFile(iniPath(), content);
        SettingsStore store(iniPath());
        QCOMPARE(store.GetSetting(kMainSection, "zam", ""), QString("True"));
        QVERIFY2(store.SaveSetting(kNotesSection, "09.12.2009", "note"),
                 qPrintable(store.lastError()));
        QVERIFY(store.SaveSetting(kMainSection, "Color", "2"));
        QVERIFY(store.DeleteSetting(kMainSection, "Color"));

        SettingsStore fresh(iniPath());
        QCOMPARE(fresh.GetSetting(kNotesSection, "09.12.2009", ""), QString("note"));
        QCOMPARE(fresh.GetSetting(kMainSection, "Zam", ""), QString("True"));
        QCOMPARE(fresh.GetSetting(kMainSection, "Color", "none"), QString("none"));
    }

    void deleteRemovesFromDisk() {
        SettingsStore store(iniPath());
        QVERIFY(store.SaveSetting(kNotesSection, "09.12.2009", "a"));
        QVERIFY(store.SaveSetting(kNotesSection, "10.12.2009", "b"));
        QVERIFY(store.DeleteSetting(kNotesSection, "09.12.2009"));
        SettingsStore fresh(iniPath());
        QCOMPARE(fresh.GetSetting(kNotesSection, "09.12.2009", "none"), QString("none"));
        QCOMPARE(fresh.GetSetting(kNotesSection, "10.12.2009", "none"), QString("b"));
        // Deleting what is not there is quietly fine.
        QVERIFY(store.DeleteSetting(kNotesSection, "09.12.2009"));
        QVERIFY(store.DeleteSetting("NoSuchSection", "Key"));
    }

    void keysThatWouldLeaveTheSectionAreRefused_data() {
        QTest::addColumn<QString>("key");
        QTest::newRow("empty") << "";
        QTest::newRow("slash") << "Descriptions/09.12.2009";
        QTest::newRow("backslash") << "Descriptions\\09.12.2009";
    }

    void keysThatWouldLeaveTheSectionAreRefused() {
        QFETCH(QString, key);
        SettingsStore store(iniPath());
        QVERIFY(!store.SaveSetting(kMainSection, key, "x"));
        QVERIFY(!store.lastError().isEmpty());
        QVERIFY(store.Keys(kNotesSection).isEmpty());
        QCOMPARE(store.GetSetting(kMainSection, key, "dflt"), QString("dflt"));
    }

    void typedReaders_data() {
        QTest::addColumn<QString>("stored");  // "<missing>" for no key
        QTest::addColumn<int>("asBool");      // 1 true, 0 false, -1 the default
        QTest::addColumn<int>("asInt");       // read with default 7

        QTest::newRow("missing") << "<missing>" << -1 << 7;
        QTest::newRow("True") << "True" << 1 << 7;
        QTest::newRow("false lower") << "false" << 0 << 7;
        QTest::newRow("TRUE upper") << "TRUE" << 1 << 7;
        QTest::newRow("-1") << "-1" << 1 << -1;
        QTest::newRow("0") << "0" << 0 << 0;
        QTest::newRow("1") << "1" << -1 << 1;
        QTest::newRow("number") << "12345" << -1 << 12345;
        QTest::newRow("negative") << "-300" << -1 << -300;
        QTest::newRow("int min") << "-2147483648" << -1 << std::numeric_limits<int>::min();
        QTest::newRow("letters") << "12ab" << -1 << 7;
        QTest::newRow("empty") << "" << -1 << 7;
        QTest::newRow("fraction") << "1.5" << -1 << 7;
        QTest::newRow("too big") << "2147483648" << -1 << 7;
        QTest::newRow("hex") << "0x10" << -1 << 7;
        QTest::newRow("yes") << "yes" << -1 << 7;
    }

    void typedReaders() {
        QFETCH(QString, stored);
        QFETCH(int, asBool);
        QFETCH(int, asInt);
        SettingsStore store(iniPath());
        if (stored != "<missing>") {
            QVERIFY(store.SaveSetting(kMainSection, "Value", stored));
        }
        QCOMPARE(store.GetBool(kMainSection, "value", true), asBool != 0);
        QCOMPARE(store.GetBool(kMainSection, "value", false), asBool == 1);
        QCOMPARE(store.GetInt(kMainSection, "value", 7), asInt);
    }

    void writeToUnreachableFileFails() {
        // The settings folder is replaced by a regular file after the store
        // was used: nothing can be written there, not even by root.
        const QString folder = dir_.filePath(QStringLiteral("config"));
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/Noctiva.ini");
        SettingsStore store(path);
        QVERIFY(store.SaveSetting(kNotesSection, "09.12.2009", "kept"));
        QCOMPARE(store.GetSetting(kNotesSection, "09.12.2009", ""), QString("kept"));

        QVERIFY(QDir().rename(folder, dir_.filePath(QStringLiteral("moved"))));
        {
            QFile blocker(folder);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }

        QVERIFY(!store.SaveSetting(kNotesSection, "10.12.2009", "lost"));
        QVERIFY2(store.lastError().contains(path), qPrintable(store.lastError()));
        QVERIFY(!store.SaveSetting(kMainSection, "Zam", "False"));
        // The refused values are not served from memory afterwards.
        QCOMPARE(store.GetSetting(kNotesSection, "10.12.2009", "none"), QString("none"));
        QCOMPARE(store.GetSetting(kMainSection, "Zam", "none"), QString("none"));
        QCOMPARE(SettingsStore(path).GetSetting(kNotesSection, "10.12.2009", "none"),
                 QString("none"));

        // A success afterwards clears the reason.
        SettingsStore elsewhere(iniPath());
        QVERIFY(!elsewhere.DeleteSetting(kMainSection, QString()));
        QVERIFY(!elsewhere.lastError().isEmpty());
        QVERIFY(elsewhere.SaveSetting(kMainSection, "Zam", "True"));
        QVERIFY(elsewhere.lastError().isEmpty());
    }

    void writeToReadOnlyDirectoryFails() {
        if (::geteuid() == 0) {
            // Permissions do not stop root: run this case again as "nobody".
            QProcess child;
            child.setChildProcessModifier([] {
                if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
                    ::_exit(kCannotDrop);
                }
            });
            child.setProcessChannelMode(QProcess::ForwardedChannels);
            child.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("writeToReadOnlyDirectoryFails")});
            if (!child.waitForFinished(30000) || child.exitStatus() != QProcess::NormalExit ||
                child.exitCode() == kCannotDrop) {
                QSKIP("cannot run as an unprivileged user here");
            }
            QCOMPARE(child.exitCode(), 0);
            return;
        }
        const QString sub = dir_.filePath(QStringLiteral("ro"));
        QVERIFY(QDir().mkpath(sub));
        const QString path = sub + QStringLiteral("/Noctiva.ini");
        // A stray line keeps QSettings' status at FormatError from the start,
        // which must not pass for a successful write.
        writeFile(path, "[Noctiva]\nstray line\nDescriptions\\09.12.2009=kept\n");
        QVERIFY(QFile::setPermissions(sub, QFile::ReadOwner | QFile::ExeOwner));
        auto restore = qScopeGuard([&] {
            QFile::setPermissions(sub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        QFile probe(sub + QStringLiteral("/probe"));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QSKIP("permissions do not stop this user");
        }

        SettingsStore ro(path);
        QCOMPARE(ro.GetSetting(kNotesSection, "09.12.2009", ""), QString("kept"));
        QVERIFY(!ro.SaveSetting(kNotesSection, "09.12.2009", "changed"));
        QVERIFY2(ro.lastError().contains(path), qPrintable(ro.lastError()));
        QVERIFY(!ro.SaveSetting(kNotesSection, "10.12.2009", "new"));
        QVERIFY(!ro.DeleteSetting(kNotesSection, "09.12.2009"));
        // What did not reach the disk is not served from memory either.
        QCOMPARE(ro.GetSetting(kNotesSection, "09.12.2009", ""), QString("kept"));
        QCOMPARE(ro.GetSetting(kNotesSection, "10.12.2009", "none"), QString("none"));
        QCOMPARE(SettingsStore(path).GetSetting(kNotesSection, "09.12.2009", ""), QString("kept"));
    }
};

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "SettingsStoreTest.moc"
