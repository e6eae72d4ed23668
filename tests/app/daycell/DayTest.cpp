#include "app/daycell/Day.h"

#include "platform/Fonts.h"

#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

using noctiva::app::Day;
using noctiva::platform::ZodiacGlyph;

namespace {

QString glyphs(std::initializer_list<int> codes) {
    QString s;
    for (int code : codes) {
        s += ZodiacGlyph(code);
    }
    return s;
}

QLabel* label(const Day& cell, const char* name) {
    return cell.findChild<QLabel*>(QString::fromLatin1(name));
}

QWidget* part(const Day& cell, const QString& name) {
    return cell.findChild<QWidget*>(name);
}

QWidget* marker(const Day& cell, int i) {
    return part(cell, QStringLiteral("Image1_%1").arg(i));
}

QColor textColor(const Day& cell, const char* name) {
    return label(cell, name)->palette().color(QPalette::Active, QPalette::WindowText);
}

QColor role(const Day& cell, QPalette::ColorRole r) {
    return cell.palette().color(QPalette::Active, r);
}

// A widget under the cell that records the mouse events passed on to it.
class Below : public QWidget {
  public:
    int mouseEvents = 0;

  protected:
    void mousePressEvent(QMouseEvent*) override { ++mouseEvents; }
    void mouseReleaseEvent(QMouseEvent*) override { ++mouseEvents; }
    void mouseDoubleClickEvent(QMouseEvent*) override { ++mouseEvents; }
};

enum class Cell { Ordinary, Today, Selected, Empty };

// A cell built the way the calendar builds it.
void build(Day& cell, Cell kind, int day = 14) {
    cell.SetDay(kind == Cell::Empty ? 0 : day);
    cell.SetDeSelect();
    if (kind == Cell::Today) {
        cell.SetToday();
    }
    if (kind == Cell::Selected) {
        cell.SetSelect();
    }
}

}  // namespace

Q_DECLARE_METATYPE(Cell)

class DayTest : public QObject {
    Q_OBJECT

  private slots:
    void lunarDays_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("newMoonDay");

        QTest::newRow("same lunar day") << 12 << 12 << "12" << 12;
        QTest::newRow("new lunar day") << 12 << 13 << "12/13" << 13;
        QTest::newRow("one digit to two") << 9 << 10 << "9/10" << 10;
        QTest::newRow("one digit") << 5 << 6 << "5/6" << 6;
        QTest::newRow("only the new one") << 13 << 13 << "13" << 13;
        QTest::newRow("new lunation") << 30 << 1 << "30/1" << 1;
        QTest::newRow("no day") << 0 << 0 << "" << 0;
        // A missing value on one side leaves no dangling "/".
        QTest::newRow("no end value") << 12 << 0 << "12" << 12;
        QTest::newRow("no start value") << 0 << 13 << "13" << 13;
    }

    void lunarDays() {
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(QString, text);
        QFETCH(int, newMoonDay);

        Day cell;
        cell.SetDay(3);
        cell.SetMoonDay(start);
        cell.SetMoonDay2(end);
        QCOMPARE(label(cell, "Label3")->text(), text);
        QCOMPARE(cell.GetNewMoonDay(), newMoonDay);
    }

    void rebuildReplacesLunarDays() {
        Day cell;
        cell.SetMoonDay(12);
        cell.SetMoonDay2(13);
        cell.SetMoonDay(20);
        cell.SetMoonDay2(20);
        QCOMPARE(label(cell, "Label3")->text(), QStringLiteral("20"));
    }

    void signGlyphs_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("newZodiak");

        QTest::newRow("Aries all day") << 94 << 94 << glyphs({94}) << 93;
        QTest::newRow("Aries to Taurus") << 94 << 95 << glyphs({94, 95}) << 2;
        QTest::newRow("Aquarius to Pisces") << 104 << 105 << glyphs({104, 105}) << 12;
        QTest::newRow("Pisces to Aries") << 105 << 94 << glyphs({105, 94}) << 1;
        QTest::newRow("no day") << 93 << 93 << "" << 93;
        QTest::newRow("no end value") << 94 << 93 << glyphs({94}) << 93;
        QTest::newRow("code outside the signs") << 94 << 106 << glyphs({94}) << 93;
    }

    void signGlyphs() {
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(QString, text);
        QFETCH(int, newZodiak);

        Day cell;
        cell.SetDay(3);
        cell.SetZodiac(start);
        cell.SetZodiac2(end);
        QCOMPARE(label(cell, "Label2")->text(), text);
        QCOMPARE(cell.GetNewZodiak(), newZodiak);
    }

    void setZodiacReplacesBothGlyphs() {
        Day cell;
        cell.SetZodiac(94);
        cell.SetZodiac2(95);
        cell.SetZodiac(96);
        QCOMPARE(label(cell, "Label2")->text(), glyphs({96}));
        cell.SetZodiac(93);
        QCOMPARE(label(cell, "Label2")->text(), QString());
    }

    void dayNumber_data() {
        QTest::addColumn<int>("day");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("getDay");

        QTest::newRow("first") << 1 << "1" << 1;
        QTest::newRow("last") << 31 << "31" << 31;
        QTest::newRow("no day") << 0 << "" << 0;
        QTest::newRow("negative") << -5 << "" << 0;
    }

    void dayNumber() {
        QFETCH(int, day);
        QFETCH(QString, text);
        QFETCH(int, getDay);

        Day cell;
        cell.SetDay(day);
        QCOMPARE(label(cell, "Label1")->text(), text);
        QCOMPARE(cell.GetDay(), getDay);
        QCOMPARE(part(cell, "Frame1")->isEnabled(), day > 0);
    }

    void newCellShowsNoDay() {
        Day cell;
        QCOMPARE(cell.GetDay(), 0);
        QVERIFY(!part(cell, "Frame1")->isEnabled());
        QCOMPARE(cell.GetBackColor(), Day::kDefaultNoDayColor);
        QVERIFY(!cell.IsMarked());
    }

    void faceColours() {
        Day cell;
        const QColor base = role(cell, QPalette::Base);
        const QColor highlight = role(cell, QPalette::Highlight);

        cell.SetDay(5);
        QCOMPARE(cell.GetBackColor(), base);
        cell.SetSelect();
        QCOMPARE(cell.GetBackColor(), highlight);
        QCOMPARE(textColor(cell, "Label1"), role(cell, QPalette::HighlightedText));
        QCOMPARE(textColor(cell, "Label2"), role(cell, QPalette::HighlightedText));
        QCOMPARE(textColor(cell, "Label3"), role(cell, QPalette::ToolTipBase));
        cell.SetDeSelect();
        QCOMPARE(cell.GetBackColor(), base);
        QCOMPARE(textColor(cell, "Label1"), role(cell, QPalette::Text));
        QCOMPARE(textColor(cell, "Label2"), role(cell, QPalette::Text));
        QCOMPARE(textColor(cell, "Label3"), Day::kMoonDayColor);

        cell.SetToday();
        QCOMPARE(cell.GetBackColor(), Day::kTodayColor);
        cell.SetSelect();
        QCOMPARE(cell.GetBackColor(), highlight);
        cell.SetDeSelect();
        QCOMPARE(cell.GetBackColor(), Day::kTodayColor);

        // The today colour lasts until the next day is set.
        cell.SetDay(6);
        cell.SetSelect();
        cell.SetDeSelect();
        QCOMPARE(cell.GetBackColor(), base);
    }

    void emptyCellIgnoresSelection() {
        Day cell;
        cell.SetNoDayColor(QColor(200, 210, 220));
        cell.SetDay(0);
        const QColor face = cell.GetBackColor();
        const QColor text1 = textColor(cell, "Label1");
        const QColor text3 = textColor(cell, "Label3");
        cell.SetSelect();
        QCOMPARE(cell.GetBackColor(), face);
        QCOMPARE(textColor(cell, "Label1"), text1);
        QCOMPARE(textColor(cell, "Label3"), text3);
        cell.SetDeSelect();
        QCOMPARE(cell.GetBackColor(), face);
    }

    // A selected cell that gets a new day does not keep the selection's text
    // colours on the window background.
    void newDayEndsSelection() {
        Day cell;
        cell.SetDay(5);
        cell.SetSelect();
        cell.SetDay(0);
        cell.SetDeSelect();  // ignored: no day
        cell.SetDay(9);
        QCOMPARE(cell.GetBackColor(), role(cell, QPalette::Base));
        QCOMPARE(textColor(cell, "Label1"), role(cell, QPalette::Text));
        QCOMPARE(textColor(cell, "Label3"), Day::kMoonDayColor);
    }

    void setBackColor_data() {
        QTest::addColumn<Cell>("kind");
        QTest::addColumn<bool>("takesColour");

        QTest::newRow("ordinary") << Cell::Ordinary << true;
        QTest::newRow("today") << Cell::Today << true;
        QTest::newRow("selected") << Cell::Selected << false;
        QTest::newRow("no day") << Cell::Empty << false;
    }

    void setBackColor() {
        QFETCH(Cell, kind);
        QFETCH(bool, takesColour);

        Day cell;
        build(cell, kind);
        const QColor before = cell.GetBackColor();
        const QColor green(200, 230, 200);
        cell.SetBackColor(green);
        QCOMPARE(cell.GetBackColor(), takesColour ? green : before);
    }

    void noDayColour() {
        Day cell;
        const QColor pale(230, 220, 200);
        cell.SetNoDayColor(pale);
        QCOMPARE(cell.GetBackColor(), pale);

        cell.SetDay(4);
        const QColor paler(240, 235, 225);
        cell.SetNoDayColor(paler);
        QCOMPARE(cell.GetBackColor(), role(cell, QPalette::Base));
        cell.SetDay(0);
        QCOMPARE(cell.GetBackColor(), paler);
    }

    // The face and text colours of a day follow the desktop's colours.
    void coloursFollowThePalette() {
        Day cell;
        cell.SetDay(4);
        QPalette pal = cell.palette();
        pal.setColor(QPalette::Base, QColor(10, 20, 30));
        pal.setColor(QPalette::Text, QColor(250, 240, 230));
        cell.setPalette(pal);
        QCOMPARE(cell.GetBackColor(), QColor(10, 20, 30));
        QCOMPARE(textColor(cell, "Label1"), QColor(250, 240, 230));

        pal.setColor(QPalette::Highlight, QColor(1, 2, 3));
        pal.setColor(QPalette::HighlightedText, QColor(4, 5, 6));
        cell.setPalette(pal);
        cell.SetSelect();
        QCOMPARE(cell.GetBackColor(), QColor(1, 2, 3));
        QCOMPARE(textColor(cell, "Label2"), QColor(4, 5, 6));
    }

    void noteMarker_data() {
        QTest::addColumn<QString>("note");
        QTest::addColumn<bool>("marked");

        QTest::newRow("no note") << "" << false;
        QTest::newRow("note") << "Позвонить" << true;
        QTest::newRow("single space") << " " << true;
        QTest::newRow("several lines") << "a\r\nb" << true;
    }

    void noteMarker() {
        QFETCH(QString, note);
        QFETCH(bool, marked);

        Day cell;
        cell.SetDay(8);
        cell.SetDesc(QStringLiteral("before"));
        cell.SetDesc(note);
        QCOMPARE(cell.IsMarked(), marked);
        QCOMPARE(!marker(cell, 1)->isHidden(), marked);
        QVERIFY(marker(cell, 0)->isHidden());
        QVERIFY(marker(cell, 2)->isHidden());
    }

    void kindMarkers_data() {
        QTest::addColumn<QString>("kinds");
        QTest::addColumn<bool>("once");
        QTest::addColumn<bool>("note");
        QTest::addColumn<bool>("zodiac");
        // Places of the three markers in a cell of design size.
        QTest::addColumn<QPoint>("pos0");
        QTest::addColumn<QPoint>("pos1");
        QTest::addColumn<QPoint>("pos2");

        const QPoint first(37, 23);
        const QPoint second(34, 20);
        const QPoint third(31, 17);
        QTest::newRow("all three stacked")
            << "dmz" << true << true << true << first << second << third;
        QTest::newRow("any order, among others")
            << "z-m d" << true << true << true << first << second << third;
        QTest::newRow("zodiac alone") << "z" << false << false << true << first << first << first;
        QTest::newRow("once and zodiac")
            << "dz" << true << false << true << first << second << second;
        QTest::newRow("note and zodiac")
            << "mz" << false << true << true << first << first << second;
        QTest::newRow("once and note") << "dm" << true << true << false << first << second << third;
        QTest::newRow("note alone") << "m" << false << true << false << first << first << second;
        QTest::newRow("case-sensitive")
            << "DMZ" << false << false << false << first << first << first;
        QTest::newRow("calendar's blank")
            << " " << false << false << false << first << first << first;
    }

    void kindMarkers() {
        QFETCH(QString, kinds);
        QFETCH(bool, once);
        QFETCH(bool, note);
        QFETCH(bool, zodiac);
        QFETCH(QPoint, pos0);
        QFETCH(QPoint, pos1);
        QFETCH(QPoint, pos2);

        Day cell;
        cell.resize(Day::kDesignWidth, Day::kDesignHeight);
        cell.SetDay(12);
        cell.SheudExist(kinds);
        QCOMPARE(!marker(cell, 0)->isHidden(), once);
        QCOMPARE(!marker(cell, 1)->isHidden(), note);
        QCOMPARE(!marker(cell, 2)->isHidden(), zodiac);
        QCOMPARE(cell.IsMarked(), note);
        QCOMPARE(marker(cell, 0)->pos(), pos0);
        QCOMPARE(marker(cell, 1)->pos(), pos1);
        QCOMPARE(marker(cell, 2)->pos(), pos2);
        for (int i = 0; i < Day::kMarkerCount; ++i) {
            QCOMPARE(marker(cell, i)->size(), QSize(16, 16));
        }
    }

    void emptyCellHidesMarkersAndMovesNothing() {
        Day cell;
        cell.resize(Day::kDesignWidth, Day::kDesignHeight);
        cell.SetDay(12);
        cell.SheudExist(QStringLiteral("dmz"));
        const QPoint pos1 = marker(cell, 1)->pos();
        const QPoint pos2 = marker(cell, 2)->pos();

        cell.SetDay(0);
        cell.SetDesc(QString());
        cell.SheudExist(QStringLiteral("dmz"));
        for (int i = 0; i < Day::kMarkerCount; ++i) {
            QVERIFY(marker(cell, i)->isHidden());
        }
        QVERIFY(!cell.IsMarked());
        QCOMPARE(marker(cell, 1)->pos(), pos1);
        QCOMPARE(marker(cell, 2)->pos(), pos2);
    }

    void markerTooltips() {
        Day cell;
        QCOMPARE(marker(cell, 0)->toolTip(), QStringLiteral("Одноразовое напоминание"));
        QCOMPARE(marker(cell, 1)->toolTip(), QString());
        QCOMPARE(marker(cell, 2)->toolTip(), QStringLiteral("Напоминание на вхождение в зодиак"));
    }

    void tagProperty() {
        Day cell;
        QCOMPARE(cell.tag(), QString());
        cell.setTag(QStringLiteral("Заметка"));
        QCOMPARE(cell.property("tag").toString(), QStringLiteral("Заметка"));
        QVERIFY(cell.setProperty("tag", QStringLiteral("")));
        QCOMPARE(cell.tag(), QString());
    }

    // At every size the calendar gives a cell, the parts stay inside it and the
    // widest texts fit their labels.
    void partsFitTheCell_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("53x39") << QSize(53, 39);
        QTest::newRow("54x39") << QSize(54, 39);
        QTest::newRow("53x40") << QSize(53, 40);
        QTest::newRow("54x40") << QSize(54, 40);
        QTest::newRow("twice") << QSize(108, 80);
    }

    void partsFitTheCell() {
        QFETCH(QSize, size);

        Day cell;
        cell.resize(size);
        cell.SetDay(28);
        cell.SheudExist(QStringLiteral("dmz"));
        const QRect inside(QPoint(0, 0), size);
        QCOMPARE(part(cell, "Frame1")->geometry(), inside);
        for (int i = 0; i < Day::kMarkerCount; ++i) {
            QVERIFY2(inside.contains(marker(cell, i)->geometry()), qPrintable(QString::number(i)));
        }
        const struct {
            const char* name;
            QString widest;
        } texts[] = {
            {"Label1", QStringLiteral("28")},
            {"Label2", glyphs({104, 105}) /* two glyphs */},
            {"Label3", QStringLiteral("28/29")},
        };
        for (const auto& t : texts) {
            const QLabel* l = label(cell, t.name);
            QVERIFY2(inside.contains(l->geometry()), t.name);
            QVERIFY2(l->fontMetrics().horizontalAdvance(t.widest) <= l->width(), t.name);
            QVERIFY2(l->fontMetrics().height() <= size.height() - l->y(), t.name);
        }
    }

    void handleIsTheWindowOfTheFace() {
        QWidget window;
        auto* cell = new Day(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(cell->GetHWND() != 0);
        QCOMPARE(cell->GetHWND(), window.winId());
        QVERIFY(!part(*cell, "Frame1")->testAttribute(Qt::WA_NativeWindow));
    }

    void mouseEvents_data() {
        QTest::addColumn<QString>("partName");
        QTest::addColumn<bool>("hasDay");
        QTest::addColumn<int>("clickUps");  // MouseUp raised by one click

        for (bool hasDay : {true, false}) {
            const char* state = hasDay ? "day" : "no day";
            const int up = hasDay ? 1 : 0;
            QTest::addRow("%s: face", state) << "Frame1" << hasDay << up;
            QTest::addRow("%s: day number", state) << "Label1" << hasDay << up;
            QTest::addRow("%s: glyphs", state) << "Label2" << hasDay << up;
            QTest::addRow("%s: lunar days", state) << "Label3" << hasDay << up;
            QTest::addRow("%s: note marker", state) << "Image1_1" << hasDay << up;
            QTest::addRow("%s: zodiac marker", state) << "Image1_2" << hasDay << up;
        }
    }

    // Real mouse input on each part of the cell. A cell without a day raises
    // nothing and passes the input on to the widget below it.
    void mouseEvents() {
        QFETCH(QString, partName);
        QFETCH(bool, hasDay);
        QFETCH(int, clickUps);

        Below below;
        below.resize(200, 120);
        auto* cell = new Day(&below);
        cell->setGeometry(20, 20, 53, 39);
        cell->SetDay(15);
        cell->SetMoonDay(12);
        cell->SetZodiac(94);
        cell->SetDesc(QStringLiteral("note"));
        cell->SheudExist(QStringLiteral("mz"));
        if (!hasDay) {
            cell->SetDay(0);  // the markers stay shown: the cell must still be deaf
        }
        below.show();
        QVERIFY(QTest::qWaitForWindowExposed(&below));

        QWidget* target = part(*cell, partName);
        QVERIFY(target);
        // A point of the part that no other part covers.
        QPoint at = target->rect().center();
        if (partName == QLatin1String("Frame1")) {
            at = QPoint(2, 36);
        } else if (partName == QLatin1String("Image1_1")) {
            at = QPoint(14, 14);
        } else if (partName == QLatin1String("Image1_2")) {
            at = QPoint(2, 2);
        }
        QCOMPARE(below.childAt(target->mapTo(&below, at)), target);

        QSignalSpy moves(cell, &Day::MouseMove);
        QSignalSpy ups(cell, &Day::MouseUp);
        QSignalSpy doubles(cell, &Day::DblClick);

        QTest::mouseMove(target, at);
        QTest::mouseMove(target, at + QPoint(1, 0));
        QCOMPARE(moves.count() > 0, hasDay);

        QTest::mouseClick(target, Qt::LeftButton, {}, at);
        QCOMPARE(ups.count(), clickUps);
        QCOMPARE(doubles.count(), 0);

        // The click above and this make a double click: its second press and
        // release raise DblClick only.
        QTest::mouseDClick(target, Qt::LeftButton, {}, at);
        QTest::mouseRelease(target, Qt::LeftButton, {}, at);
        QCOMPARE(doubles.count(), hasDay ? 1 : 0);
        QCOMPARE(ups.count(), clickUps);

        if (!hasDay) {
            QCOMPARE(moves.count(), 0);
            QCOMPARE(ups.count(), 0);
            QVERIFY(below.mouseEvents > 0);
        } else {
            QCOMPARE(below.mouseEvents, 0);
        }
    }

    // The face reports a click (left button pressed and released on it); the
    // labels and markers report any button as it goes down.
    void mouseUpRules_data() {
        QTest::addColumn<QString>("partName");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("releaseOutside");
        QTest::addColumn<int>("ups");

        QTest::newRow("face, left click") << "Frame1" << Qt::LeftButton << false << 1;
        QTest::newRow("face, right click") << "Frame1" << Qt::RightButton << false << 0;
        QTest::newRow("face, released outside") << "Frame1" << Qt::LeftButton << true << 0;
        QTest::newRow("label, right button") << "Label1" << Qt::RightButton << false << 1;
        QTest::newRow("label, released outside") << "Label3" << Qt::LeftButton << true << 1;
    }

    void mouseUpRules() {
        QFETCH(QString, partName);
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, releaseOutside);
        QFETCH(int, ups);

        QWidget window;
        window.resize(200, 120);
        auto* cell = new Day(&window);
        cell->setGeometry(20, 20, 53, 39);
        cell->SetDay(15);
        cell->SetMoonDay(3);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QWidget* target = part(*cell, partName);
        const QPoint at =
            partName == QLatin1String("Frame1") ? QPoint(2, 36) : target->rect().center();
        QCOMPARE(window.childAt(target->mapTo(&window, at)), target);

        QSignalSpy spy(cell, &Day::MouseUp);
        QTest::mousePress(target, button, {}, at);
        const QPoint releaseAt = releaseOutside ? target->mapFrom(&window, QPoint(150, 100)) : at;
        QTest::mouseRelease(target, button, {}, releaseAt);
        QCOMPARE(spy.count(), ups);
    }
};

QTEST_MAIN(DayTest)
#include "DayTest.moc"
