#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include "AppTestSupport.h"

#include "app/CalendarPage.h"
#include "app/DayReportController.h"
#include "app/Form1.h"
#include "app/Navigation.h"
#include "app/daycell/Day.h"
#include "app/report/DayReportPanel.h"
#include "core/DateText.h"
#include "core/Pump.h"
#include "core/Report.h"
#include "platform/Fonts.h"
#include "platform/HostHooks.h"
#include "platform/SettingsStore.h"

using namespace noctiva;
using app::Day;
using app::Form1;
using core::DateSerial;
using testing::At;
using testing::kMoscow;
using testing::Text;

namespace {

struct Harness : testing::WindowHarness {
    Harness() {
        Make();
        form->show();
        form->navigation().SwitchPage(1);
    }
    app::CalendarPage& page() { return form->calendar(); }
    Day* cell(int i) { return page().cell(i); }
    // The cell shown as selected, -1 when none.
    int SelectedCell() {
        int found = -1;
        for (int i = 0; i < 42; ++i) {
            if (cell(i)->GetBackColor() == cell(i)->palette().color(QPalette::Highlight)) {
                found = i;
            }
        }
        return found;
    }
};

QString Glyphs(const std::vector<int>& signs) {
    QString s;
    for (int sign : signs) {
        s += platform::ZodiacGlyph(93 + sign);
    }
    return s;
}

}  // namespace

class CalendarPageTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { platform::InstallHostHooks(); }

    void gridsOfAMonth_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("firstCell");
        QTest::addColumn<int>("lastCell");
        QTest::addColumn<QString>("caption");
        QTest::newRow("December 2009") << 2009 << 12 << 1 << 31 << "Декабрь 2009";
        QTest::newRow("February 2010") << 2010 << 2 << 0 << 27 << "Февраль 2010";
        QTest::newRow("August 2010") << 2010 << 8 << 6 << 36 << "Август 2010";
    }
    void gridsOfAMonth() {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, firstCell);
        QFETCH(int, lastCell);
        QFETCH(QString, caption);
        Harness h;
        h.form->navigation().GotoDate(At(year, month, 10, 18, 30));
        QCOMPARE(h.form->FirstDayCell, firstCell);
        QCOMPARE(h.page().caption()->text(), caption);
        QVERIFY(h.page().grid()->isVisible());
        // The same values as the month the command-line tool prints.
        const core::MonthGrid grid = core::ComputeMonthGrid(year, month, kMoscow);
        for (int i = 0; i < 42; ++i) {
            const core::MonthCell& expected = grid.cells[static_cast<size_t>(i)];
            Day* d = h.cell(i);
            QCOMPARE(d->GetDay(), (i < firstCell || i > lastCell) ? 0 : i - firstCell + 1);
            QCOMPARE(d->GetDay(), expected.day);
            QCOMPARE(d->findChild<QLabel*>("Label3")->text(),
                     QString::fromStdString(expected.MoonDaysText()));
            QCOMPARE(d->findChild<QLabel*>("Label2")->text(), Glyphs(expected.Signs()));
        }
        QCOMPARE(h.SelectedCell(), firstCell + 9);
    }

    void todayIsMarkedOnlyInItsMonth() {
        Harness h;
        const QColor today(255, 128, 128);
        // 9 December 2009 is cell 9; it is also the selected day, so select another.
        h.page().CellMouseUp(3);
        QCOMPARE(h.cell(9)->GetBackColor(), today);
        h.page().StepMonth(+1);
        for (int i = 0; i < 42; ++i) {
            QVERIFY(h.cell(i)->GetBackColor() != today);
        }
    }

    void monthNavigationReducesTheDay_data() {
        QTest::addColumn<DateSerial>("start");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("expected");
        QTest::newRow("next from 31 Jan")
            << At(2010, 1, 31, 18, 30, 5) << 1 << "28.02.2010 18:30:05";
        QTest::newRow("previous from 31 Mar")
            << At(2010, 3, 31, 7, 0) << -1 << "28.02.2010 07:00:00";
        QTest::newRow("over the year end") << At(2009, 12, 15, 12, 0) << 1 << "15.01.2010 12:00:00";
        QTest::newRow("stops after December 2100")
            << At(2100, 12, 20, 12, 0) << 1 << "20.12.2100 12:00:00";
        QTest::newRow("stops before January 1900")
            << At(1900, 1, 20, 12, 0) << -1 << "20.01.1900 12:00:00";
    }
    void monthNavigationReducesTheDay() {
        QFETCH(DateSerial, start);
        QFETCH(int, step);
        QFETCH(QString, expected);
        Harness h;
        h.form->navigation().GotoDate(start);
        h.page().StepMonth(step);
        QCOMPARE(Text(h.Selected()), expected);
        QCOMPARE(Text(h.form->SelDate), expected);
        QCOMPARE(h.form->Tag, QStringLiteral("ok"));
        const QDate d = h.form->DTPicker1->date();
        QCOMPARE(h.form->DTPicker2->date().month(), d.month());
        QCOMPARE(h.form->DTPicker3->date().year(), d.year());
        QCOMPARE(h.SelectedCell(), h.form->FirstDayCell + d.day() - 1);
    }

    void theArrowsTakeAMouseButton() {
        Harness h;
        QTest::mousePress(h.page().nextMonthArrow(), Qt::RightButton);
        QCOMPARE(h.page().caption()->text(), QStringLiteral("Январь 2010"));
        QTest::mousePress(h.page().previousMonthArrow(), Qt::LeftButton);
        QCOMPARE(h.page().caption()->text(), QStringLiteral("Декабрь 2009"));
    }

    void aClickSelectsADayAndReportsIt() {
        Harness h;
        int balloonsClosed = 0;
        h.form->NoBalon = [&] { ++balloonsClosed; };
        const int reports = h.form->report().completedReports();
        QTest::mouseClick(h.cell(20)->findChild<QWidget*>("Frame1"), Qt::LeftButton);
        QCOMPARE(Text(h.Selected()), QStringLiteral("20.12.2009 18:30:15"));
        QCOMPARE(h.SelectedCell(), 20);
        QCOMPARE(h.form->report().completedReports(), reports + 1);
        QVERIFY(balloonsClosed >= 1);
        // The selected cell again: nothing but the balloon.
        QTest::mouseClick(h.cell(20)->findChild<QWidget*>("Frame1"), Qt::LeftButton);
        QCOMPARE(h.form->report().completedReports(), reports + 1);
        // An empty cell does nothing at all.
        QTest::mouseClick(h.cell(0), Qt::LeftButton);
        QTest::mouseClick(h.cell(40), Qt::LeftButton);
        QCOMPARE(Text(h.Selected()), QStringLiteral("20.12.2009 18:30:15"));
        QCOMPARE(h.SelectedCell(), 20);
    }

    void aRebuildStartedDuringARebuildLeavesOneCorrectGrid() {
        Harness h;
        int pumps = 0;
        core::SetPumpEvents([&] {
            if (++pumps == 30) {
                h.page().StepMonth(+1);  // a click on the arrow in the middle of the build
            }
        });
        h.form->navigation().Now();
        platform::InstallHostHooks();
        QCOMPARE(h.page().caption()->text(), QStringLiteral("Январь 2010"));
        QCOMPARE(h.form->FirstDayCell, 4);  // 1 January 2010 was a Friday
        QCOMPARE(h.cell(4)->GetDay(), 1);
        QCOMPARE(h.cell(34)->GetDay(), 31);
        QCOMPARE(h.cell(35)->GetDay(), 0);
        QVERIFY(h.page().grid()->isVisible());
        QCOMPARE(h.SelectedCell(), 4 + 8);
    }

    void closingTheWindowDuringARebuildIsSafe() {
        auto h = std::make_unique<Harness>();
        int pumps = 0;
        core::SetPumpEvents([&] {
            if (++pumps == 10 && h) {
                h->form->close();
            }
            QCoreApplication::processEvents();
        });
        h->form->navigation().Now();
        platform::InstallHostHooks();
        QVERIFY(!h->form->isVisible());
        h.reset();
    }
};

QTEST_MAIN(CalendarPageTest)
#include "CalendarPageTest.moc"
