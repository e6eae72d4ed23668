#include <QTest>

#include <map>
#include <memory>

#include "notes/BalloonController.h"
#include "notes/NoteStore.h"

using namespace noctiva::notes;
using noctiva::core::SerialFromCivil;

namespace {

// Records what the controller does to the balloon window.
struct FakeView : BalloonView {
    void Place(QPoint p) override {
        exists = true;
        at = p;
        ++places;
    }
    void Compose(const QString& t, const QString& n) override {
        exists = true;
        title = t;
        note = n;
        ++composes;
    }
    void Show(bool activate) override {
        exists = visible = true;
        activated = activate;
    }
    void Close() override {
        exists = visible = false;
        ++closes;
    }
    bool IsVisible() const override { return visible; }

    bool exists = false;
    bool visible = false;
    bool activated = false;
    QPoint at;
    QString title;
    QString note;
    int places = 0;
    int composes = 0;
    int closes = 0;
};

const QRect kFrame(100, 200, 776, 560);
const QRect kClient(104, 230, 768, 528);

// A main window: notes by date, the marked cells 0..41 of December 2009
// (cell 1 is the 1st), the option and the notification area.
struct World {
    World() {
        BalloonHost host;
        host.notesOptionOn = [this] { return option; };
        host.readNote = [this](DateSerial dt) { return notes[NoteKey(dt)]; };
        host.mainFrame = [] { return kFrame; };
        host.mainClient = [] { return kClient; };
        host.inTray = [this] { return inTray; };
        host.fromTray = [this] {
            inTray = false;
            ++fromTray;
        };
        host.cellMarked = [this](int i) { return !cellNotes[i].isEmpty(); };
        host.cellNote = [this](int i) { return cellNotes[i]; };
        host.cellDate = [](int i) { return QDate(2009, 12, 1).addDays(i - 1); };
        host.cellPos = [](int i) { return QPoint(8 + (i % 7) * 90, 40 + (i / 7) * 70); };
        auto fake = std::make_unique<FakeView>();
        view = fake.get();
        controller = std::make_unique<BalloonController>(std::move(host), std::move(fake));
        notes[QStringLiteral("09.12.2009")] = QStringLiteral("заметка девятого");
        cellNotes[5] = QStringLiteral("пятая клетка");
        cellNotes[6] = QStringLiteral("шестая клетка");
        cellNotes[20] = QStringLiteral("двадцатая клетка");
    }

    // One step of a script: "zam" (the 9th, which has a note), "zam-empty"
    // (the 10th, which has none), "hover:i", "click", "escape", "select",
    // "category", "nobalon".
    void step(const QString& s) {
        if (s == u"zam") {
            controller->ShowZam(SerialFromCivil(2009, 12, 9, 18, 30));
        } else if (s == u"zam-empty") {
            controller->ShowZam(SerialFromCivil(2009, 12, 10));
        } else if (s.startsWith(u"hover:")) {
            controller->HoverCell(s.mid(6).toInt());
        } else if (s == u"click") {
            view->onClick();
        } else if (s == u"escape") {
            view->onEscape();
        } else if (s == u"select") {
            controller->SelectionChanged();
        } else if (s == u"category") {
            controller->CategoryChanged();
        } else if (s == u"nobalon") {
            controller->NoBalon();
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown step ") + s));
        }
    }

    bool option = true;
    bool inTray = false;
    int fromTray = 0;
    std::map<QString, QString> notes;
    std::map<int, QString> cellNotes;
    FakeView* view = nullptr;
    std::unique_ptr<BalloonController> controller;
};

}  // namespace

class ControllerTest : public QObject {
    Q_OBJECT

  private slots:
    // Every transition of the balloon state, and what is then on the screen.
    void transitions_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("hoverShown");
        QTest::addColumn<QString>("showing");  // the note on the balloon, "" when hidden

        const QString nine = QStringLiteral("заметка девятого");
        const QString five = QStringLiteral("пятая клетка");
        QTest::newRow("start") << "" << 0 << false << false << "";
        QTest::newRow("note shown") << "select zam" << 300 << true << false << nine;
        QTest::newRow("no note: nothing shown, state kept")
            << "select zam-empty" << 200 << false << false << "";
        QTest::newRow("no note closes the note balloon")
            << "select zam select zam-empty" << 200 << false << false << "";
        QTest::newRow("note showing blocks hover")
            << "select zam hover:5" << 300 << true << false << nine;
        QTest::newRow("click closes, hover works again")
            << "select zam click hover:5" << 5 << true << true << five;
        QTest::newRow("escape closes, state kept: hover stays blocked")
            << "select zam escape hover:5" << 300 << false << false << "";
        QTest::newRow("after escape a new selection unblocks hover")
            << "select zam escape select hover:5" << 5 << true << true << five;
        QTest::newRow("category holds note balloons back")
            << "select zam category zam" << 400 << false << false << "";
        QTest::newRow("selection change releases the hold")
            << "category zam select zam" << 300 << true << false << nine;
        QTest::newRow("hover releases the hold")
            << "category hover:7 zam" << 300 << true << false << nine;
        QTest::newRow("click on a hover balloon releases the hold")
            << "category hover:5 click zam" << 300 << true << true << nine;
        QTest::newRow("hover over a marked cell") << "select hover:5" << 5 << true << true << five;
        QTest::newRow("hover over an unmarked cell closes")
            << "select hover:5 hover:7" << 7 << false << false << "";
        QTest::newRow("marked to marked keeps the text")
            << "select hover:5 hover:6" << 6 << true << true << five;
        QTest::newRow("via an unmarked cell the next marked shows its own")
            << "select hover:5 hover:7 hover:6" << 6 << true << true
            << QStringLiteral("шестая клетка");
        QTest::newRow("closed hover balloon comes back only after an unmarked cell")
            << "select hover:5 click hover:6" << 6 << false << true << "";
        QTest::newRow("... and then after an unmarked cell")
            << "select hover:5 click hover:6 hover:7 hover:20" << 20 << true << true
            << QStringLiteral("двадцатая клетка");
        QTest::newRow("escape on a hover balloon keeps the state")
            << "select hover:5 escape" << 5 << false << true << "";
        QTest::newRow("nobalon closes, state kept")
            << "select zam nobalon" << 300 << false << false << "";
        QTest::newRow("a note replaces the hover balloon")
            << "select hover:5 zam" << 300 << true << true << nine;
        QTest::newRow("cell index out of range is ignored")
            << "select hover:42 hover:-1" << 200 << false << false << "";
    }
    void transitions() {
        QFETCH(QString, script);
        QFETCH(int, state);
        QFETCH(bool, visible);
        QFETCH(bool, hoverShown);
        QFETCH(QString, showing);
        World w;
        for (const QString& s : script.split(u' ', Qt::SkipEmptyParts)) {
            w.step(s);
        }
        QCOMPARE(w.controller->BalloonState(), state);
        QCOMPARE(w.controller->BalloonVisible(), visible);
        QCOMPARE(w.controller->HoverBalloonShown(), hoverShown);
        QCOMPARE(w.view->visible ? w.view->note : QString(), showing);
    }

    void noteBalloonContentAndPlace() {
        World w;
        w.step(QStringLiteral("zam"));
        QCOMPARE(w.view->title, QStringLiteral("Заметки на 9 декабря 2009"));
        QCOMPARE(w.view->note, QStringLiteral("заметка девятого"));
        QVERIFY(w.view->activated);
        QCOMPARE(w.view->at, NoteBalloonPosition(kFrame, kClient));
    }

    void hoverBalloonContentAndPlace() {
        World w;
        w.step(QStringLiteral("hover:5"));
        QCOMPARE(w.view->title, QStringLiteral("5 декабря 2009 - заметки"));
        QVERIFY(!w.view->activated);  // the keyboard focus stays on the main window
        QCOMPARE(w.view->at, HoverBalloonPosition(kFrame, kClient, QPoint(8 + 5 * 90, 40)));
        // Following the pointer moves the window without composing it again.
        w.step(QStringLiteral("hover:6"));
        QCOMPARE(w.view->composes, 1);
        QCOMPARE(w.view->at, HoverBalloonPosition(kFrame, kClient, QPoint(8 + 6 * 90, 40)));
    }

    void positions() {
        // Frame borders of 4 pixels and a caption of 26: client corner (104, 230).
        QCOMPARE(NoteBalloonPosition(kFrame, kClient), QPoint(131, 265));  // +26⅔, +33⅓
        QCOMPARE(HoverBalloonPosition(kFrame, kClient, QPoint(10, 20)), QPoint(298, 391));
        // Fractions are rounded: half a border pixel and 26⅔ make 27⅙.
        QCOMPARE(NoteBalloonPosition(QRect(0, 0, 101, 100), QRect(0, 0, 100, 100)), QPoint(27, 33));
    }

    void optionOffShowsNoNoteBalloonButHover() {
        World w;
        w.option = false;
        w.step(QStringLiteral("select"));
        w.step(QStringLiteral("zam"));
        QCOMPARE(w.view->composes, 0);
        QCOMPARE(w.controller->BalloonState(), 200);
        w.step(QStringLiteral("hover:5"));
        QVERIFY(w.controller->BalloonVisible());
    }

    void noteBringsTheWindowBackFromTheTray() {
        World w;
        w.inTray = true;
        w.step(QStringLiteral("zam-empty"));
        QCOMPARE(w.fromTray, 0);
        w.step(QStringLiteral("zam"));
        QCOMPARE(w.fromTray, 1);
        QVERIFY(w.controller->BalloonVisible());
    }

    void titles() {
        QCOMPARE(NoteBalloonTitle(QDate(2010, 3, 1)), QStringLiteral("Заметки на 1 марта 2010"));
        QCOMPARE(HoverBalloonTitle(QDate(2009, 5, 31)), QStringLiteral("31 мая 2009 - заметки"));
    }
};

QTEST_GUILESS_MAIN(ControllerTest)
#include "ControllerTest.moc"
