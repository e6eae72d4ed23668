#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include "AppTestSupport.h"

#include "app/DayReportController.h"
#include "app/Form1.h"
#include "app/Navigation.h"
#include "app/WindowSettings.h"
#include "app/report/DayReportPanel.h"
#include "core/DateText.h"
#include "core/Pump.h"
#include "core/Report.h"
#include "platform/HostHooks.h"
#include "platform/SettingsStore.h"

using namespace noctiva;
using app::Form1;
using core::DateSerial;
using testing::At;
using testing::kMoscow;
using testing::Text;

namespace {

struct Harness : testing::WindowHarness {
    explicit Harness(bool load = true) { Make(load); }
    QString Get(const QString& key) const {
        return store.GetSetting(platform::kMainSection, key, QStringLiteral("<missing>"));
    }
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { platform::InstallHostHooks(); }

    void loadSelectsNowAndReports() {
        Harness h;
        QCOMPARE(h.form->Tag, QStringLiteral("ok"));
        QCOMPARE(Text(h.Selected()), QStringLiteral("09.12.2009 18:30:15"));
        QCOMPARE(h.form->DTPicker2->text(), QStringLiteral("Декабрь"));
        QCOMPARE(h.form->DTPicker3->text(), QStringLiteral("2009"));
        QCOMPARE(h.form->DTPicker4->text(), QStringLiteral("18 : 30"));
        // The time picker keeps the whole date-time: its format does not narrow the range.
        h.form->SetTime(At(2100, 12, 31, 23, 59));
        QCOMPARE(Text(h.form->DTPicker4->serial()), QStringLiteral("31.12.2100 23:59:00"));
        h.form->SetTime(At(1900, 1, 1, 0, 1));
        QCOMPARE(Text(h.form->DTPicker4->serial()), QStringLiteral("01.01.1900 00:01:00"));
        QCOMPARE(h.form->report().completedReports(), 1);
        QCOMPARE(h.form->windowTitle(),
                 QStringLiteral("Tarvel Noctiva - Лунный календарь ") + NOCTIVA_VERSION);
        QCOMPARE(h.form->size(), QSize(772, 528));
    }

    // The panel shows the same values as the computation the command-line tool prints.
    void reportTextsForAFixedInstant() {
        Harness h;
        h.form->navigation().GotoDate(At(2009, 6, 7, 22));
        const core::DayReport r = core::ComputeDayReport(At(2009, 6, 7, 22), kMoscow);
        app::DayReportPanel& p = *h.form->Frame4;
        QCOMPARE(p.lunarDayText(), QStringLiteral("15"));
        QCOMPARE(p.visibilityText(), QStringLiteral("Видимость Луны: 100 %"));
        QCOMPARE(p.positionText(), QString::fromStdString(r.positionText));
        QCOMPARE(p.qualityText(), QStringLiteral("День тепла"));
        QVERIFY(p.phaseText().startsWith(QStringLiteral("Полнолуние")));
        QVERIFY(p.phaseText().contains(QStringLiteral("07.06.2009 21:12:5")));
        QCOMPARE(p.eventText(0), Text(r.prevNewMoon));
        QCOMPARE(p.eventText(1), Text(r.nextNewMoon));
        QCOMPARE(p.eventText(2), Text(r.prevFullMoon));
        QCOMPARE(p.eventText(3), Text(r.nextFullMoon));
        QVERIFY(p.fallingShown());
        QVERIFY(!p.risingShown());
        QCOMPARE(h.form->TrayToolTip, QString::fromStdString(r.trayTip));
        QCOMPARE(h.form->SelDateUT, At(2009, 6, 7, 19));
    }

    void theGateAndPrevDateKeepReportsFromRepeating() {
        Harness h;
        const int before = h.form->report().completedReports();
        h.form->report().calculate();  // same value
        QCOMPARE(h.form->report().completedReports(), before);
        h.form->SetTime(At(2010, 3, 1, 10, 0));  // SetTime alone reports nothing
        QCOMPARE(h.form->Tag, QStringLiteral("ok"));
        QCOMPARE(h.form->report().completedReports(), before);
        h.form->report().calculate();
        QCOMPARE(h.form->report().completedReports(), before + 1);
        h.form->Tag.clear();
        h.form->PrevDate = 0;
        h.form->report().calculate();  // gate closed
        QCOMPARE(h.form->report().completedReports(), before + 1);
        h.form->Tag = QStringLiteral("ok");
        h.form->Busy = true;
        h.form->report().calculate();  // the search moves the pickers
        QCOMPARE(h.form->report().completedReports(), before + 1);
    }

    void aNestedReportForANewerInstantWins() {
        Harness h;
        bool nested = false;
        core::SetPumpEvents([&] {
            if (!nested) {
                nested = true;
                h.form->navigation().GotoDate(At(2009, 6, 7, 22));
            }
            QCoreApplication::processEvents();
        });
        h.form->navigation().GotoDate(At(2009, 1, 10, 15));
        platform::InstallHostHooks();
        QVERIFY(nested);
        QCOMPARE(Text(h.Selected()), QStringLiteral("07.06.2009 22:00:00"));
        QCOMPARE(h.form->Frame4->lunarDayText(), QStringLiteral("15"));
        QVERIFY(h.form->Frame4->phaseText().startsWith(QStringLiteral("Полнолуние")));
    }

    void monthAndYearPickersReduceTheDay_data() {
        QTest::addColumn<DateSerial>("start");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("expected");
        QTest::newRow("31 Jan to Feb")
            << At(2010, 1, 31, 18, 30, 7) << 2 << 0 << "28.02.2010 18:30:07";
        QTest::newRow("31 Jan to Feb, leap")
            << At(2008, 1, 31, 9, 5) << 2 << 0 << "29.02.2008 09:05:00";
        QTest::newRow("31 Mar to Apr") << At(2010, 3, 31, 12) << 4 << 0 << "30.04.2010 12:00:00";
        QTest::newRow("29 Feb 2008 to 2009")
            << At(2008, 2, 29, 7, 45) << 0 << 2009 << "28.02.2009 07:45:00";
        QTest::newRow("15 May to 2100")
            << At(2009, 5, 15, 7, 45) << 0 << 2100 << "15.05.2100 07:45:00";
    }
    void monthAndYearPickersReduceTheDay() {
        QFETCH(DateSerial, start);
        QFETCH(int, month);
        QFETCH(int, year);
        QFETCH(QString, expected);
        Harness h;
        h.form->navigation().GotoDate(start);
        if (month > 0) {
            QDate d = h.form->DTPicker2->date();
            h.form->DTPicker2->setDate(QDate(d.year(), month, 1));
        } else {
            h.form->DTPicker3->setDate(QDate(year, 1, 1));
        }
        QCOMPARE(Text(h.Selected()), expected);
        QCOMPARE(Text(h.form->SelDate), expected);  // and it was reported
    }

    void timePickerKeepsDateAndSeconds() {
        Harness h;
        h.form->DTPicker4->setTime(QTime(10, 15));
        QCOMPARE(Text(h.Selected()), QStringLiteral("09.12.2009 10:15:15"));
        QCOMPARE(h.form->SelDate, h.Selected());
    }

    void dayArrowsCrossTheYearAndStayInRange() {
        Harness h;
        h.form->navigation().GotoDate(At(2009, 12, 31, 18, 30));
        h.form->navigation().StepDay(+1);
        QCOMPARE(Text(h.Selected()), QStringLiteral("01.01.2010 18:30:00"));
        QCOMPARE(h.form->DTPicker2->text(), QStringLiteral("Январь"));
        QCOMPARE(h.form->DTPicker3->text(), QStringLiteral("2010"));
        h.form->navigation().StepDay(-1);
        QCOMPARE(Text(h.Selected()), QStringLiteral("31.12.2009 18:30:00"));
        h.form->navigation().GotoDate(At(2100, 12, 31, 12));
        h.form->navigation().StepDay(+1);
        QCOMPARE(Text(h.Selected()), QStringLiteral("31.12.2100 12:00:00"));
        h.form->navigation().GotoDate(At(1900, 1, 1, 12));
        h.form->navigation().StepDay(-1);
        QCOMPARE(Text(h.Selected()), QStringLiteral("01.01.1900 12:00:00"));
    }

    void nowSelectsTheCurrentInstantAndRefreshes() {
        Harness h;
        h.form->navigation().GotoDate(At(2001, 5, 5, 5, 5));
        int calendars = 0;
        h.form->ShowCalen = [&calendars, &h] { calendars += h.form->Tag == "ok" ? 1 : 0; };
        h.now = At(2010, 2, 14, 8, 0, 1);
        const int before = h.form->report().completedReports();
        h.form->navigation().Now();
        QCOMPARE(Text(h.Selected()), QStringLiteral("14.02.2010 08:00:01"));
        QCOMPARE(calendars, 1);  // rebuilt whichever page shows
        QCOMPARE(h.form->report().completedReports(), before + 1);
    }

    void eventLabelsGoToTheirInstant() {
        Harness h;
        const QString next = h.form->Frame4->eventText(3);
        h.form->report().EventLabelClicked(next);
        QCOMPARE(Text(h.Selected()), next);
    }

    void dtCor_data() {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("whole") << "07.06.2009 21:12:55"
                               << "07.06.2009 21:12:55";
        QTest::newRow("trailing") << "07.06.2009 21:12:55 MSK"
                                  << "07.06.2009 21:12:55";
        QTest::newRow("date alone") << "07.06.2009"
                                    << "07.06.2009";
        QTest::newRow("early colon") << "1:2345"
                                     << "1:2345";
        QTest::newRow("colon at 4") << "abc:12345"
                                    << "abc:12";
    }
    void dtCor() {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(app::DtCor(in), out);
    }

    void pageSwitch() {
        Harness h;
        int calendars = 0;
        int balloons = 0;
        h.form->ShowCalen = [&calendars] { ++calendars; };
        h.form->NoBalon = [&balloons] { ++balloons; };
        h.form->show();
        QVERIFY(h.form->Picture4[0]->isVisible());
        h.form->navigation().SwitchPage(0);  // the page that shows: only the balloon closes
        QCOMPARE(balloons, 1);
        QCOMPARE(calendars, 0);
        h.form->navigation().SwitchPage(1);
        QVERIFY(h.form->Picture4[1]->isVisible());
        QVERIFY(!h.form->Picture4[0]->isVisible());
        QCOMPARE(h.form->CurPage, 1);
        QCOMPARE(calendars, 1);
        QVERIFY(h.form->Shape5[1]->y() < h.form->Shape5[0]->y());
    }

    void arrowKeysMoveBetweenTheDatePickers() {
        Harness h;
        h.form->show();
        QApplication::setActiveWindow(h.form.get());
        struct Step {
            QWidget* from;
            Qt::Key key;
            QWidget* to;
        };
        const Step steps[] = {
            {h.form->DTPicker1, Qt::Key_Right, h.form->DTPicker2},
            {h.form->DTPicker2, Qt::Key_Right, h.form->DTPicker3},
            {h.form->DTPicker3, Qt::Key_Left, h.form->DTPicker2},
            {h.form->DTPicker2, Qt::Key_Left, h.form->DTPicker1},
        };
        for (const Step& s : steps) {
            s.from->setFocus();
            QTest::keyClick(s.from, s.key);
            QCOMPARE(QApplication::focusWidget(), s.to);
        }
        QCOMPARE(Text(h.Selected()), QStringLiteral("09.12.2009 18:30:15"));  // nothing moved
    }

    void aHoverFrameStaysBehindTheLastHoveredButton() {
        Harness h;
        h.form->show();
        QTest::mouseMove(h.form->Image21, QPoint(5, 5));
        QTest::mouseMove(h.form->Image21, QPoint(9, 9));
        const QRect around = h.form->Image21->geometry().adjusted(-3, -3, 3, 3);
        QCOMPARE(h.form->Shape4[0]->geometry(), around);
        QTest::mouseMove(h.form.get(), QPoint(700, 500));  // the window's surface hides it
        QVERIFY(!h.form->rect().intersects(h.form->Shape4[0]->geometry()));
    }

    void defaultsWithAnEmptyStoreAndTheirRoundTrip() {
        Harness h;
        QCOMPARE(h.store.Keys(platform::kMainSection), QStringList());  // nothing written at start
        QVERIFY(h.form->mnuZam->isChecked());
        QVERIFY(!h.form->mnuEcliptic->isChecked());
        QVERIFY(h.form->mnuFntSize[1]->isChecked());
        QCOMPARE(h.form->FontPt, 8);
        QCOMPARE(h.form->HtmlFontSize, 2);
        QVERIFY(!h.form->mnuToTray->isChecked());
        h.form->mnuZam->setChecked(false);
        h.form->mnuEcliptic->trigger();
        h.form->mnuFntSize[3]->trigger();
        h.form->mnuWineMode->setChecked(true);
        h.form->mnuc[4]->setChecked(true);
        h.form->show();
        h.form->move(120, 90);
        h.form->ExitMe();
        QCOMPARE(h.Get("Zam"), QStringLiteral("False"));
        QCOMPARE(h.Get("Ecliptic"), QStringLiteral("True"));
        QCOMPARE(h.Get("FontSize"), QStringLiteral("3"));
        QCOMPARE(h.Get("WineMode"), QStringLiteral("True"));
        QCOMPARE(h.Get("Color"), QStringLiteral("4"));
        QCOMPARE(h.Get("CustomColor"), QStringLiteral("False"));
        QCOMPARE(h.Get("ToTray"), QStringLiteral("False"));
        QCOMPARE(h.Get("Top"), QString::number(h.form->y() * 15));

        h.Make(true);  // a second run reads it all back
        QVERIFY(!h.form->mnuZam->isChecked());
        QVERIFY(h.form->mnuEcliptic->isChecked());
        QVERIFY(h.form->Frame4->eclipticOn());
        QVERIFY(h.form->mnuFntSize[3]->isChecked());
        QCOMPARE(h.form->FontPt, 12);
        QVERIFY(h.form->mnuWineMode->isChecked());
        QVERIFY(h.form->mnuc[4]->isChecked());
    }

    void keysMatchWithoutRegardToCaseAndBadValuesFallBack() {
        Harness h(false);
        QVERIFY(h.store.SaveSetting(platform::kMainSection, "winemode", "True"));
        QVERIFY(h.store.SaveSetting(platform::kMainSection, "FONTSIZE", "big"));
        QVERIFY(h.store.SaveSetting(platform::kMainSection, "Top", "12x"));
        QVERIFY(h.store.SaveSetting(platform::kMainSection, "zam", "maybe"));
        const app::WindowSettings s = app::ReadWindowSettings(h.store);
        QVERIFY(s.wineMode);
        QCOMPARE(s.fontSize, 1);
        QVERIFY(!s.top.has_value());
        QVERIFY(s.zam);
        h.form->Load();
        h.form->ExitMe();
        // Written back as "WineMode": still one key.
        const QStringList keys = h.store.Keys(platform::kMainSection);
        QCOMPARE(keys.filter("winemode", Qt::CaseInsensitive).size(), 1);
    }

    void aCustomColourLeavesTheSchemeIndexAlone() {
        Harness h(false);
        QVERIFY(h.store.SaveSetting(platform::kMainSection, "Color", "6"));
        QVERIFY(h.store.SaveSetting(platform::kMainSection, "CustomColor", "True"));
        h.form->Load();
        h.form->ExitMe();
        QCOMPARE(h.Get("Color"), QStringLiteral("6"));
        QCOMPARE(h.Get("CustomColor"), QStringLiteral("True"));
    }

    void savedPositionsBelowOneOrOffScreenAreCentred() {
        for (const char* top : {"0", "-15", "999999"}) {
            Harness h(false);
            QVERIFY(h.store.SaveSetting(platform::kMainSection, "Top", top));
            QVERIFY(h.store.SaveSetting(platform::kMainSection, "Left", "1500"));
            h.form->Load();
            const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
            QVERIFY2(screen.intersects(h.form->geometry()), top);
        }
    }

    void theClockTooltipTicks() {
        Harness h;
        h.now = At(2011, 1, 1, 0, 0, 5);
        QTRY_COMPARE_WITH_TIMEOUT(h.form->Label17->toolTip(), QStringLiteral("01.01.2011 00:00:05"),
                                  2500);
        QCOMPARE(Text(h.Selected()), QStringLiteral("09.12.2009 18:30:15"));  // report unchanged
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
