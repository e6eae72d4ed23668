#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTest>

#include <cmath>
#include <limits>

#include "app/report/DayReportPanel.h"
#include "app/report/DrawPhase.h"
#include "app/report/ShadowLabel.h"
#include "pictures.h"
#include "platform/Fonts.h"

using noctiva::app::DayReportPanel;
using noctiva::app::DrawPhase;
using noctiva::app::kPhaseShadowRgb;
using noctiva::app::ShadowLabel;

namespace {

QImage Disc() {
    QImage image(170, 170, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(noctiva::pictures::path(u"moon"));
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

QImage Drawn(float angle, const QImage& disc) {
    QImage target;
    DrawPhase(angle, target, disc);
    return target;
}

// The picture painted under the Moon, as Picture2 shows it.
QImage LargePicture(const DayReportPanel& panel) {
    const auto* picture2 = qobject_cast<const QLabel*>(panel.reportPicture());
    return picture2->pixmap().toImage().copy(0, 258, 180, 214);
}

const QStringList kYellowNames = {"Label9",  "Label6", "Label73", "Label13",
                                  "Label10", "Label4", "Label23"};

}  // namespace

class DayReportPanelTest : public QObject {
    Q_OBJECT

  private slots:
    void drawPhasePixels_data();
    void drawPhasePixels();
    void drawPhaseWholePicture_data();
    void drawPhaseWholePicture();
    void drawPhaseOddAngles();
    void designState();
    void textsReachBothCopies();
    void phaseTextLinesAndClicks();
    void nothingClipped();
    void signGlyph();
    void rising_data();
    void rising();
    void eclipticMarker_data();
    void eclipticMarker();
    void signPictureTag();
};

// Pixels of the drawn Moon: `shaded` points must carry the shadow colour,
// `bare` points the disc as it is.
void DayReportPanelTest::drawPhasePixels_data() {
    QTest::addColumn<float>("angle");
    QTest::addColumn<float>("angleAfter");
    QTest::addColumn<QList<QPoint>>("shaded");
    QTest::addColumn<QList<QPoint>>("bare");

    const QPoint leftLimb(3, 85), left(40, 85), centre(85, 85), right(130, 85), rightLimb(166, 85);
    const QPoint top(85, 3), bottom(85, 166);
    QTest::newRow("0: whole disc")
        << 0.0F << 0.0F << QList<QPoint>{leftLimb, left, centre, right, rightLimb, top, bottom}
        << QList<QPoint>{};
    QTest::newRow("90: left half") << 90.0F << 90.0F << QList<QPoint>{leftLimb, left, {80, 40}}
                                   << QList<QPoint>{right, rightLimb, {90, 40}};
    QTest::newRow("270: right half")
        << 270.0F << 90.0F << QList<QPoint>{right, rightLimb, {90, 130}}
        << QList<QPoint>{leftLimb, left, {80, 130}};
    // Waxing past the first quarter: the terminator bulges to the left.
    QTest::newRow("120: left crescent")
        << 120.0F << 120.0F << QList<QPoint>{leftLimb, {30, 85}} << QList<QPoint>{{50, 85}, centre};
    // A thin crescent along the left limb, following it up to the poles.
    QTest::newRow("179.9: thin at the left limb")
        << 179.9F << 179.9F << QList<QPoint>{{0, 85}, {24, 25}, {24, 144}}
        << QList<QPoint>{{4, 85}, {30, 25}, centre, {165, 85}};
    QTest::newRow("180.1: thin at the right limb")
        << 180.1F << 180.1F - 180.0F << QList<QPoint>{{169, 85}, {145, 25}, {145, 144}}
        << QList<QPoint>{{165, 85}, {139, 25}, centre, {4, 85}};
}

void DayReportPanelTest::drawPhasePixels() {
    QFETCH(float, angle);
    QFETCH(float, angleAfter);
    QFETCH(QList<QPoint>, shaded);
    QFETCH(QList<QPoint>, bare);

    const QImage disc = Disc();
    QImage target;
    DrawPhase(angle, target, disc);
    QCOMPARE(angle, angleAfter);
    QCOMPARE(target.size(), disc.size());
    for (const QPoint& p : shaded) {
        QVERIFY2(target.pixel(p) == kPhaseShadowRgb,
                 qPrintable(QStringLiteral("(%1, %2) not shaded").arg(p.x()).arg(p.y())));
    }
    for (const QPoint& p : bare) {
        QVERIFY2(target.pixel(p) == disc.pixel(p),
                 qPrintable(QStringLiteral("(%1, %2) not bare").arg(p.x()).arg(p.y())));
    }
}

// Angles whose whole picture is known: the bare disc, or the picture of the
// angle they reduce to.
void DayReportPanelTest::drawPhaseWholePicture_data() {
    QTest::addColumn<float>("angle");
    QTest::addColumn<float>("angleAfter");
    QTest::addColumn<float>("sameAs");  // -1: the bare disc

    QTest::newRow("180: bare") << 180.0F << 180.0F << -1.0F;
    QTest::newRow("365.5 rounds to 366, is 6") << 365.5F << 6.0F << 6.0F;
    QTest::newRow("364.5 rounds to 364, is 4") << 364.5F << 4.0F << 4.0F;
    QTest::newRow("360 is 0") << 360.0F << 0.0F << 0.0F;
    QTest::newRow("540.5 rounds to 540, is 180: bare") << 540.5F << 180.0F << -1.0F;
    QTest::newRow("725 is 5") << 725.0F << 5.0F << 5.0F;
    QTest::newRow("545.2 is 185, waning 5") << 545.2F << 5.0F << 185.0F;
}

void DayReportPanelTest::drawPhaseWholePicture() {
    QFETCH(float, angle);
    QFETCH(float, angleAfter);
    QFETCH(float, sameAs);

    const QImage disc = Disc();
    QImage target;
    DrawPhase(angle, target, disc);
    QCOMPARE(angle, angleAfter);
    const QImage expected = sameAs < 0 ? disc : Drawn(sameAs, disc);
    QVERIFY(target == expected);
    if (sameAs >= 0) {
        QVERIFY(target != disc);
    }
}

void DayReportPanelTest::drawPhaseOddAngles() {
    const QImage disc = Disc();

    // Not a number: neither the angle nor the picture changes.
    QImage target = Drawn(90, disc);
    const QImage before = target;
    float angle = std::numeric_limits<float>::quiet_NaN();
    DrawPhase(angle, target, disc);
    QVERIFY(std::isnan(angle));
    QVERIFY(target == before);
    angle = std::numeric_limits<float>::infinity();
    DrawPhase(angle, target, disc);
    QVERIFY(std::isinf(angle));
    QVERIFY(target == before);

    // Far beyond any integer: still taken modulo 360.
    angle = 1.0e12F;
    DrawPhase(angle, target, disc);
    QVERIFY(angle >= 0 && angle <= 180);

    // A target of another size takes the disc's size.
    target = QImage(10, 10, QImage::Format_RGB32);
    angle = 45;
    DrawPhase(angle, target, disc);
    QCOMPARE(target.size(), disc.size());
}

void DayReportPanelTest::designState() {
    const DayReportPanel panel;
    QCOMPARE(panel.size(), QSize(192, 484));
    QCOMPARE(panel.reportPicture()->geometry(), QRect(6, 6, 180, 472));
    QCOMPARE(panel.moonPicture()->geometry(), QRect(5, 8, 170, 170));
    QCOMPARE(panel.shadowLabel("Label9")->text(), QStringLiteral("Лунный день:"));
    QCOMPARE(panel.lunarDayText(), QStringLiteral("XX"));
    QCOMPARE(panel.visibilityText(), QStringLiteral("Видимость Луны: 100 %"));
    QCOMPARE(panel.phaseText(), QStringLiteral("Описание"));
    QCOMPARE(panel.positionText(), QStringLiteral("Луна в Овне"));
    QCOMPARE(panel.glyphText(), QStringLiteral("Q"));
    QCOMPARE(panel.qualityText(), QStringLiteral("День холода"));
    QCOMPARE(panel.pictureTag(), QString());
    QCOMPARE(panel.signPaintCount(), 0);
    QVERIFY(!panel.eclipticOn());
    QVERIFY(!panel.markerShown());
    QVERIFY(!panel.risingShown());
    QVERIFY(!panel.fallingShown());
    QVERIFY(panel.phaseImage() == Disc());
    QCOMPARE(panel.moonPicture()->toolTip(), QStringLiteral("Фаза в реальном времени"));
    QCOMPARE(panel.shadowLabel("Label23")->toolTip(), QStringLiteral("Качество дня"));
    const QStringList eventTips = {"Предыдущее новолуние", "Следующее новолуние",
                                   "Предыдущее полнолуние", "Следующее полнолуние"};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(panel.eventLabel(i)->toolTip(), eventTips[i]);
        QCOMPARE(panel.eventLabel(i)->cursor().shape(), Qt::PointingHandCursor);
    }
    QCOMPARE(panel.eventLabel(4), nullptr);
    QCOMPARE(panel.eventText(-1), QString());

    // Every caption: yellow in front, its shadow lower right.
    for (const QString& name : kYellowNames) {
        const ShadowLabel* label = panel.shadowLabel(name);
        QVERIFY2(label != nullptr, qPrintable(name));
        QCOMPARE(ShadowLabel::frontColour(), QColor(255, 255, 0));
        QVERIFY(label->offset().x() >= 0 && label->offset().y() > 0);
        QVERIFY(label->offset().manhattanLength() <= 5);
    }
}

void DayReportPanelTest::textsReachBothCopies() {
    DayReportPanel panel;
    panel.SetLunarDay("15");
    panel.SetVisibility("Видимость Луны: 98 %");
    panel.SetPosition("12° 34' Овна");
    panel.SetQuality("День тепла");
    panel.SetEvents("01.06.2009 01:02:03", "22.06.2009 22:35:00", "07.06.2009 22:12:54",
                    "07.07.2009 13:21:40");

    QCOMPARE(panel.lunarDayText(), QStringLiteral("15"));
    QCOMPARE(panel.visibilityText(), QStringLiteral("Видимость Луны: 98 %"));
    QCOMPARE(panel.positionText(), QStringLiteral("12° 34' Овна"));
    QCOMPARE(panel.qualityText(), QStringLiteral("День тепла"));
    QCOMPARE(panel.eventText(0), QStringLiteral("01.06.2009 01:02:03"));
    QCOMPARE(panel.eventText(1), QStringLiteral("22.06.2009 22:35:00"));
    QCOMPARE(panel.eventText(2), QStringLiteral("07.06.2009 22:12:54"));
    QCOMPARE(panel.eventText(3), QStringLiteral("07.07.2009 13:21:40"));
    // The sign glyph's tooltip is the position.
    QCOMPARE(panel.shadowLabel("Label4")->toolTip(), QStringLiteral("12° 34' Овна"));
    for (const QString& name : kYellowNames) {
        const ShadowLabel* label = panel.shadowLabel(name);
        QCOMPARE(label->shadowText(), label->text());
    }
}

void DayReportPanelTest::phaseTextLinesAndClicks() {
    DayReportPanel panel;
    panel.SetPhaseText("Полнолуние\r\n07.06.2009 22:12:54");
    QCOMPARE(panel.phaseText(), QStringLiteral("Полнолуние\n07.06.2009 22:12:54"));
    QCOMPARE(panel.shadowLabel("Label13")->shadowText(), panel.phaseText());
    // Two lines take two lines of height.
    const ShadowLabel* phase = panel.shadowLabel("Label13");
    const int twoLines = phase->height();
    QVERIFY(twoLines >= 2 * phase->fontMetrics().height());
    panel.SetPhaseText("Растущая");
    QVERIFY(phase->height() >= phase->fontMetrics().height());
    QVERIFY(phase->height() < twoLines);

    // A click on an event label hands its caption over; an empty label or
    // another button does nothing.
    QSignalSpy clicked(&panel, &DayReportPanel::eventClicked);
    panel.SetEvents("01.06.2009 01:02:03", "", "07.06.2009 22:12:54", "07.07.2009 13:21:40");
    QTest::mouseClick(panel.eventLabel(3), Qt::LeftButton);
    QTest::mouseClick(panel.eventLabel(1), Qt::LeftButton);
    QTest::mouseClick(panel.eventLabel(0), Qt::RightButton);
    QTest::mouseClick(panel.eventLabel(2), Qt::LeftButton);
    QCOMPARE(clicked.count(), 2);
    QCOMPARE(clicked.at(0).at(0).toString(), QStringLiteral("07.07.2009 13:21:40"));
    QCOMPARE(clicked.at(1).at(0).toString(), QStringLiteral("07.06.2009 22:12:54"));
}

// The widest texts a report writes: every caption lies within its label and
// every label within the picture, and the texts over the Moon end above the
// event lines.
void DayReportPanelTest::nothingClipped() {
    DayReportPanel panel;
    panel.SetLunarDay("30");
    panel.SetVisibility("Видимость Луны: 100 %");
    panel.SetPhaseText("Новолуние\r\n28.12.2099 23:59:59");
    panel.SetPosition("29° 59' Близнецов");
    panel.SetQuality("День холода");
    panel.SetEvents("28.12.2099 23:58:58", "28.12.2099 23:58:58", "28.12.2099 23:58:58",
                    "28.12.2099 23:58:58");
    const QRect picture(QPoint(0, 0), panel.reportPicture()->size());

    for (int sign = 1; sign <= 12; ++sign) {
        panel.SetSignGlyph(sign);
        const ShadowLabel* glyph = panel.shadowLabel("Label4");
        QVERIFY(glyph->frontTextRect().width() + glyph->offset().x() <= glyph->width());
        QVERIFY(picture.contains(glyph->geometry()));
    }
    for (const QString& name : kYellowNames) {
        const ShadowLabel* label = panel.shadowLabel(name);
        QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(name));
        QVERIFY2(label->sizeHint().height() <= label->height(), qPrintable(name));
        QVERIFY2(picture.contains(label->geometry()), qPrintable(name));
    }
    for (int i = 0; i < 4; ++i) {
        const QLabel* label = panel.eventLabel(i);
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
        QVERIFY(picture.contains(label->geometry()));
    }
    const ShadowLabel* phase = panel.shadowLabel("Label13");
    QVERIFY(phase->geometry().bottom() < panel.eventLabel(0)->geometry().top());
    QVERIFY(panel.shadowLabel("Label23")->geometry().right() <
            panel.shadowLabel("Label4")->geometry().left());
}

void DayReportPanelTest::signGlyph() {
    DayReportPanel panel;
    panel.SetSignGlyph(1);
    QCOMPARE(panel.glyphText(), QString(QChar(0x2648)));
    QCOMPARE(panel.shadowLabel("Label4")->shadowText(), QString(QChar(0x2648)));
    QCOMPARE(panel.shadowLabel("Label4")->font().family(), noctiva::platform::GlyphFamily());
    panel.SetSignGlyph(12);
    QCOMPARE(panel.glyphText(), QString(QChar(0x2653)));
    panel.SetSignGlyph(13);
    QCOMPARE(panel.glyphText(), QString());
}

void DayReportPanelTest::rising_data() {
    QTest::addColumn<int>("vn");
    QTest::addColumn<bool>("rising");
    QTest::addColumn<bool>("falling");
    QTest::newRow("1 rising") << 1 << true << false;
    QTest::newRow("2 falling") << 2 << false << true;
    QTest::newRow("0 neither") << 0 << false << false;
}

void DayReportPanelTest::rising() {
    QFETCH(int, vn);
    QFETCH(bool, rising);
    QFETCH(bool, falling);
    DayReportPanel panel;
    // From either state before.
    for (int before : {1, 2}) {
        panel.SetRising(before);
        panel.SetRising(vn);
        QCOMPARE(panel.risingShown(), rising);
        QCOMPARE(panel.fallingShown(), falling);
    }
}

void DayReportPanelTest::eclipticMarker_data() {
    QTest::addColumn<float>("longitude");
    QTest::addColumn<QPoint>("centre");
    QTest::newRow("0 top") << 0.0F << QPoint(1360, 4630);
    QTest::newRow("90 right") << 90.0F << QPoint(2160, 5430);
    QTest::newRow("180 bottom") << 180.0F << QPoint(1360, 6230);
    QTest::newRow("270 left") << 270.0F << QPoint(560, 5430);
    QTest::newRow("45") << 45.0F << QPoint(1926, 4864);
}

void DayReportPanelTest::eclipticMarker() {
    QFETCH(float, longitude);
    QFETCH(QPoint, centre);
    DayReportPanel panel;
    panel.SetEclipticOn(true);
    panel.PlaceEclipticMarker(longitude);
    QVERIFY((panel.markerCentre() - centre).manhattanLength() <= 15);
    // The marker widget itself, in pixels of the picture.
    const QPointF shown = QRectF(panel.marker()->geometry()).center() + QPointF(0.5, 0.5);
    QVERIFY(std::abs(shown.x() * 15 - centre.x()) <= 15);
    QVERIFY(std::abs(shown.y() * 15 - centre.y()) <= 15);

    // A longitude that is no number leaves the marker where it is.
    const QRect before = panel.marker()->geometry();
    panel.PlaceEclipticMarker(std::numeric_limits<float>::quiet_NaN());
    QCOMPARE(panel.marker()->geometry(), before);
    QVERIFY((panel.markerCentre() - centre).manhattanLength() <= 15);
}

void DayReportPanelTest::signPictureTag() {
    DayReportPanel panel;
    const QImage bare = LargePicture(panel);

    panel.ShowSignPicture(3);
    QCOMPARE(panel.pictureTag(), QStringLiteral("3"));
    QCOMPARE(panel.signPaintCount(), 1);
    const QImage gemini = LargePicture(panel);
    QVERIFY(gemini != bare);

    // The same sign on the next day: no repaint.
    panel.ShowSignPicture(3);
    QCOMPARE(panel.signPaintCount(), 1);

    // Out of range: nothing painted, the tag stays.
    panel.ShowSignPicture(0);
    panel.ShowSignPicture(13);
    QCOMPARE(panel.signPaintCount(), 1);
    QCOMPARE(panel.pictureTag(), QStringLiteral("3"));

    panel.ShowSignPicture(4);
    QCOMPARE(panel.signPaintCount(), 2);
    QCOMPARE(panel.pictureTag(), QStringLiteral("4"));
    const QImage cancer = LargePicture(panel);
    QVERIFY(cancer != gemini);

    // The wheel: the marker shows, the tag becomes -1, and the report's sign
    // leaves the wheel alone while the display is on.
    panel.SetEclipticOn(true);
    QVERIFY(panel.eclipticOn());
    QVERIFY(panel.markerShown());
    QCOMPARE(panel.pictureTag(), QStringLiteral("-1"));
    const QImage wheel = LargePicture(panel);
    QVERIFY(wheel != cancer);
    panel.ShowSignPicture(4);
    QCOMPARE(panel.signPaintCount(), 2);
    QVERIFY(LargePicture(panel) == wheel);

    // Off: the wheel stays until the same sign is painted over it at once.
    panel.SetEclipticOn(false);
    QVERIFY(!panel.markerShown());
    QVERIFY(LargePicture(panel) == wheel);
    panel.ShowSignPicture(4);
    QCOMPARE(panel.signPaintCount(), 3);
    QCOMPARE(panel.pictureTag(), QStringLiteral("4"));
    QVERIFY(LargePicture(panel) == cancer);
}

QTEST_MAIN(DayReportPanelTest)
#include "DayReportPanelTest.moc"
