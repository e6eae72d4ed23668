#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include "notes/Balloon.h"
#include "notes/BalloonController.h"

using namespace noctiva::notes;

namespace {

QRect screenArea() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

QString longNote(int size) {
    QString text;
    for (int i = 0; text.size() < size; ++i) {
        text += QStringLiteral("Строка %1 длинной заметки о Луне.\r\n").arg(i);
    }
    text.truncate(size);
    return text;
}

bool isWhite(QRgb p) {
    return (p & 0xFFFFFF) == 0xFFFFFF;
}

}  // namespace

class BalloonTest : public QObject {
    Q_OBJECT

  private slots:
    void pieces() {
        const BalloonPicture b = ComposeBalloon(QStringLiteral("Заметки на 9 декабря 2009"),
                                                QStringLiteral("Купить свечи"), 1000);
        QCOMPARE(b.picture.width(), kBalloonWidth);
        QCOMPARE(b.picture.height(), kTopHeight + b.textHeight + kBottomHeight);
        QVERIFY(b.textHeight > 5 && b.textHeight < 30);  // one line
        QVERIFY(!b.clipped);
        QCOMPARE(b.text, QStringLiteral("Купить свечи"));
        // White around the bubble, none inside: the top-left corner, the
        // middle of the text band, the bottom piece under the text.
        QVERIFY(isWhite(b.picture.pixel(0, 0)));
        QVERIFY(!isWhite(b.picture.pixel(100, kTopHeight + b.textHeight / 2)));
        QVERIFY(!isWhite(b.picture.pixel(100, kTopHeight + b.textHeight + 4)));
        QVERIFY(isWhite(b.picture.pixel(100, b.picture.height() - 1)));
        // The text band beside the text is plain bubble: no piece's outline
        // reaches into its neighbour.
        const QRgb fill = b.picture.pixel(5, kTopHeight);
        for (int y = kTopHeight; y < kTopHeight + b.textHeight; ++y) {
            QCOMPARE(b.picture.pixel(5, y), fill);
        }
    }

    void longerNoteMakesItTaller() {
        const BalloonPicture one = ComposeBalloon(QStringLiteral("t"), QStringLiteral("a"), 1000);
        const BalloonPicture three =
            ComposeBalloon(QStringLiteral("t"), QStringLiteral("a\r\nb\r\nc"), 1000);
        const BalloonPicture wrapped = ComposeBalloon(
            QStringLiteral("t"),
            QStringLiteral("Слова, которые не помещаются в одну строку шириной в сто "
                           "девяносто пять точек, переносятся на следующие строки."),
            1000);
        const BalloonPicture longWord =
            ComposeBalloon(QStringLiteral("t"), QString(200, u'ж'), 1000);
        QCOMPARE(three.textHeight, 3 * one.textHeight);
        QVERIFY(wrapped.textHeight >= 3 * one.textHeight);
        QVERIFY(longWord.textHeight >= 3 * one.textHeight);  // broken inside the word
        QCOMPARE(three.text, QStringLiteral("a\u2028b\u2028c"));
    }

    void veryLongNoteIsClippedToTheScreen() {
        const QString note = longNote(100000);
        const BalloonPicture b = ComposeBalloon(QStringLiteral("t"), note, 600);
        QVERIFY(b.clipped);
        QVERIFY(b.picture.height() + kCanvasOffset <= 600);
        QVERIFY(b.picture.height() + kCanvasOffset > 560);  // the room is used
        QVERIFY(b.text.endsWith(QChar(0x2026)));
        QString shown = b.text;
        shown.chop(1);
        shown.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
        QVERIFY(note.startsWith(shown));
        // Still the whole balloon: the bottom piece is drawn under the text.
        QVERIFY(!isWhite(b.picture.pixel(100, kTopHeight + b.textHeight + 4)));
    }

    void windowOfAVeryLongNoteFitsTheScreen() {
        QWidget owner;
        QPointer<Balon> balon = new Balon(&owner);
        balon->Place(screenArea().topLeft() + QPoint(40, 300));
        balon->Compose(QStringLiteral("Заметки на 9 декабря 2009"), longNote(100000));
        balon->show();
        QVERIFY(balon->picture().clipped);
        QVERIFY(balon->height() <= screenArea().height());
        QVERIFY(screenArea().contains(balon->frameGeometry()));
        balon->close();
    }

    void windowIsShapedTranslucentAndUndecorated() {
        QWidget owner;
        Balon* balon = new Balon(&owner);
        balon->Compose(QStringLiteral("Заметки"), QStringLiteral("Текст заметки"));
        const Qt::WindowFlags flags = balon->windowFlags();
        QVERIFY(flags.testFlag(Qt::FramelessWindowHint));
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
        QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(balon->windowOpacity(), 220 / 255.0);
        QCOMPARE(balon->mask(), RegionFromImage(balon->picture().picture));
        QCOMPARE(balon->size(), balon->picture().picture.size() + QSize(1, 1));
        QVERIFY(!balon->mask().contains(QPoint(1, 1)));  // outside the bubble
        QVERIFY(balon->mask().contains(QPoint(100, kTopHeight + 2)));
        delete balon;
    }

    void placedOnTheScreen() {
        QWidget owner;
        Balon* balon = new Balon(&owner);
        balon->Compose(QStringLiteral("Заметки"), QStringLiteral("Текст заметки"));
        balon->Place(screenArea().bottomRight() - QPoint(10, 10));
        QVERIFY(screenArea().contains(balon->geometry()));
        balon->Place(screenArea().topLeft() + QPoint(30, 40));
        QCOMPARE(balon->pos(), screenArea().topLeft() + QPoint(30, 40));
        delete balon;
    }

    void clickAndEscape() {
        QWidget owner;
        Balon balon(&owner);
        balon.setAttribute(Qt::WA_DeleteOnClose, false);
        balon.Compose(QStringLiteral("Заметки"), QStringLiteral("Текст заметки"));
        balon.show();
        QSignalSpy clicked(&balon, &Balon::clicked);
        QSignalSpy escaped(&balon, &Balon::escapePressed);
        QTest::mouseClick(&balon, Qt::LeftButton, {}, QPoint(100, kTopHeight + 3));
        QTest::keyClick(&balon, Qt::Key_Escape);
        QTest::keyClick(&balon, Qt::Key_A);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(escaped.count(), 1);
    }

    // The real window under the controller: a click closes and destroys it.
    void controllerWithTheRealWindow() {
        QWidget main;
        main.setGeometry(100, 100, 700, 500);
        main.show();
        BalloonHost host;
        host.notesOptionOn = [] { return true; };
        host.readNote = [](DateSerial) { return QStringLiteral("Полнолуние"); };
        host.mainFrame = [&] { return main.frameGeometry(); };
        host.mainClient = [&] { return main.geometry(); };
        host.inTray = [] { return false; };
        host.fromTray = [] {};
        host.cellMarked = [](int) { return true; };
        host.cellNote = [](int) { return QStringLiteral("x"); };
        host.cellDate = [](int) { return QDate(2009, 12, 9); };
        host.cellPos = [](int) { return QPoint(0, 0); };
        BalloonController controller(host, MakeBalonView(&main));
        controller.ShowZam(40156.5);
        QVERIFY(controller.BalloonVisible());
        auto* balon = main.findChild<Balon*>();
        QVERIFY(balon);
        QCOMPARE(balon->picture().title, QStringLiteral("Заметки на 9 декабря 2009"));
        QPointer<Balon> watched = balon;
        QTest::mouseClick(balon, Qt::LeftButton, {}, QPoint(100, kTopHeight + 3));
        QCOMPARE(controller.BalloonState(), kBalloonSelectionChanged);
        QVERIFY(!controller.BalloonVisible());
        QTRY_VERIFY(watched.isNull());
    }
};

QTEST_MAIN(BalloonTest)
#include "BalloonTest.moc"
