#include "platform/Fonts.h"

#include <QFontDatabase>
#include <QRawFont>
#include <QTest>

using namespace noctiva::platform;

class FontsTest : public QObject {
    Q_OBJECT

  private slots:
    void zodiacCodes_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("glyph");

        QTest::newRow("Aries") << 94 << QString(QChar(0x2648));
        QTest::newRow("Taurus") << 95 << QString(QChar(0x2649));
        QTest::newRow("Virgo") << 99 << QString(QChar(0x264D));
        QTest::newRow("Libra") << 100 << QString(QChar(0x264E));
        QTest::newRow("Pisces") << 105 << QString(QChar(0x2653));
        QTest::newRow("below") << 93 << QString();
        QTest::newRow("above") << 106 << QString();
        QTest::newRow("zero") << 0 << QString();
        QTest::newRow("negative") << -94 << QString();
        QTest::newRow("unicode itself") << 0x2648 << QString();
    }

    void zodiacCodes() {
        QFETCH(int, code);
        QFETCH(QString, glyph);
        QCOMPARE(ZodiacGlyph(code), glyph);
        if (!glyph.isEmpty()) {
            QCOMPARE(ZodiacCodeOf(glyph.at(0)), code);
        }
    }

    void allTwelveRoundTrip() {
        QString all;
        for (int code = kFirstZodiacCode; code <= kLastZodiacCode; ++code) {
            const QString glyph = ZodiacGlyph(code);
            QCOMPARE(glyph.size(), 1);
            QCOMPARE(ZodiacCodeOf(glyph.at(0)), code);
            all += glyph;
        }
        QCOMPARE(all, QStringLiteral("♈♉♊♋♌♍♎♏♐♑♒♓"));
    }

    void otherCharactersHaveNoCode_data() {
        QTest::addColumn<QChar>("c");
        QTest::newRow("caret (the old code 94 as text)") << QChar(u'^');
        QTest::newRow("letter") << QChar(u'a');
        QTest::newRow("before Aries") << QChar(0x2647);
        QTest::newRow("after Pisces") << QChar(0x2654);
        QTest::newRow("variation selector") << QChar(0xFE0E);
        QTest::newRow("null") << QChar();
    }

    void otherCharactersHaveNoCode() {
        QFETCH(QChar, c);
        QCOMPARE(ZodiacCodeOf(c), 0);
    }

    void uiFontIsInstalled() {
        const QString family = UiFontFamily();
        QVERIFY(!family.isEmpty());
        if (QFontDatabase::hasFamily("Tahoma")) {
            QCOMPARE(family, QString("Tahoma"));
        } else if (QFontDatabase::hasFamily("DejaVu Sans")) {
            QCOMPARE(family, QString("DejaVu Sans"));
        }
        const QFont font = UiFont(9.5, true);
        QCOMPARE(font.family(), family);
        QCOMPARE(font.pointSizeF(), 9.5);
        QVERIFY(font.bold());
        QVERIFY(!UiFont(8).bold());
    }

    void glyphFamilyDrawsTheSigns() {
        const QString family = GlyphFamily();
        if (QFontDatabase::hasFamily("DejaVu Sans")) {
            QCOMPARE(family, QString("DejaVu Sans"));
        }
        const QRawFont raw = QRawFont::fromFont(QFont(family));
        QVERIFY(raw.isValid());
        for (int code = kFirstZodiacCode; code <= kLastZodiacCode; ++code) {
            QVERIFY2(raw.supportsCharacter(ZodiacGlyph(code).at(0)), qPrintable(family));
        }
    }
};

QTEST_MAIN(FontsTest)
#include "FontsTest.moc"
