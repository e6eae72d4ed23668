#include <QApplication>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <QTimer>
#include "AppTestSupport.h"

#include "app/CalendarPage.h"
#include "app/Form1.h"
#include "app/Navigation.h"
#include "app/daycell/Day.h"
#include "notes/BalloonController.h"
#include "notes/FormDesc.h"
#include "notes/NoteStore.h"
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
    void Start(bool calendarPage = true) {
        Make();
        form->show();
        if (calendarPage) {
            form->navigation().SwitchPage(1);
        }
    }
    app::Day* cell(int day) { return form->calendar().cell(form->FirstDayCell + day - 1); }
    QString Note(int day) { return form->notes().ReadNote(At(2009, 12, day)); }
};

// Runs f on the modal note editor once it is open (looking for it for up to
// two seconds).
void WhenEditorOpens(std::function<void(notes::FormDesc*)> f, int tries = 200) {
    QTimer::singleShot(10, [f, tries] {
        auto* editor = qobject_cast<notes::FormDesc*>(QApplication::activeModalWidget());
        if (editor != nullptr) {
            f(editor);
        } else if (tries > 0) {
            WhenEditorOpens(f, tries - 1);
        }
    });
}

}  // namespace

class NotesWiringTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { platform::InstallHostHooks(); }

    void todaysNoteComesUpAtStartUp() {
        Harness h;
        notes::NoteStore store(h.store);
        QVERIFY(store.WriteNote(h.now, QStringLiteral("Позвонить маме")));
        h.Start(false);
        QVERIFY(h.form->balloon().BalloonVisible());
        h.form->navigation().SwitchPage(1);
        QVERIFY(!h.form->balloon().BalloonVisible());  // a page switch closes it
        QVERIFY(h.cell(9)->IsMarked());
        QVERIFY(h.form->Label67->isEnabled());  // the selected day is marked
    }

    void noBalloonWhenTheOptionIsOff() {
        Harness h;
        notes::NoteStore store(h.store);
        QVERIFY(store.WriteNote(h.now, QStringLiteral("x")));
        QVERIFY(h.store.SaveSetting(platform::kMainSection, "Zam", "False"));
        h.Start();
        QVERIFY(!h.form->balloon().BalloonVisible());
    }

    void theEditorStoresAndTheMarkersFollow() {
        Harness h;
        h.Start();
        QVERIFY(!h.cell(9)->IsMarked());
        QVERIFY(!h.form->Label67->isEnabled());
        WhenEditorOpens([](notes::FormDesc* e) {
            auto* text = e->findChild<QPlainTextEdit*>();
            text->setPlainText(QStringLiteral("Купить хлеб\nи молоко"));
            text->moveCursor(QTextCursor::End);
            // Shift+Enter breaks the line inside a paragraph: stored as CR LF too.
            QTest::keyClick(text, Qt::Key_Return, Qt::ShiftModifier);
            text->insertPlainText(QStringLiteral("и сыр"));
            e->ok();
        });
        h.form->OpenNoteEditor();
        QCOMPARE(h.Note(9), QStringLiteral("Купить хлеб\r\nи молоко\r\nи сыр"));
        QVERIFY(h.cell(9)->IsMarked());
        QVERIFY(h.form->Label67->isEnabled());

        // Cancel leaves the store as it was.
        WhenEditorOpens([](notes::FormDesc* e) {
            e->clearText();
            e->cancel();
        });
        h.form->OpenNoteEditor();
        QCOMPARE(h.Note(9), QStringLiteral("Купить хлеб\r\nи молоко\r\nи сыр"));
    }

    void aDoubleClickOnACellOpensTheEditorForThatDay() {
        Harness h;
        h.Start();
        QString title;
        QWidget* face = h.cell(20)->findChild<QWidget*>("Frame1");
        QTest::mouseClick(face, Qt::LeftButton);
        WhenEditorOpens([&title](notes::FormDesc* e) {
            title = e->windowTitle();
            e->cancel();
        });
        QTest::mouseDClick(face, Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("20 декабря 2009 - заметки дня"));
        // The editor took the last release of the double click: release the
        // button over the window so that later tests start with it up.
        QTest::mouseClick(h.form.get(), Qt::LeftButton, {}, QPoint(2, 2));
    }

    void deleteAsksAndAnswersNoOrYes() {
        Harness h;
        notes::NoteStore store(h.store);
        QVERIFY(store.WriteNote(At(2009, 12, 9), QStringLiteral("старое")));
        h.Start();
        QString asked;
        h.form->AskYesNo = [&asked](const QString& q) {
            asked = q;
            return false;
        };
        h.form->DeleteSelectedNote();
        QVERIFY(asked.startsWith(QStringLiteral("Вы действительно хотите удалить заметку для ")));
        QVERIFY(asked.endsWith(QStringLiteral(" ?")));
        QCOMPARE(h.Note(9), QStringLiteral("старое"));
        QVERIFY(h.cell(9)->IsMarked());
        h.form->balloon().ShowZam(h.now);  // the note is on the screen
        QVERIFY(h.form->balloon().BalloonVisible());
        h.form->AskYesNo = [](const QString&) { return true; };
        h.form->DeleteSelectedNote();
        QCOMPARE(h.Note(9), QString());
        QVERIFY(!h.cell(9)->IsMarked());
        QVERIFY(!h.form->Label67->isEnabled());
        QVERIFY(!h.form->balloon().BalloonVisible());  // no balloon of a deleted note
        // The greyed command takes no clicks.
        asked.clear();
        h.form->AskYesNo = [&asked](const QString& q) {
            asked = q;
            return true;
        };
        QTest::mouseClick(h.form->Label67, Qt::LeftButton);
        QVERIFY(asked.isEmpty());
    }

    void hoveringAMarkedDayShowsItsNote() {
        Harness h;
        notes::NoteStore store(h.store);
        QVERIFY(store.WriteNote(At(2009, 12, 25), QStringLiteral("Праздник")));
        h.Start();
        QVERIFY(!h.form->balloon().BalloonVisible());
        QTest::mouseMove(h.form.get(), QPoint(1, 1));
        QTest::mouseMove(h.cell(25)->findChild<QWidget*>("Frame1"));
        QVERIFY(h.form->balloon().BalloonVisible());
        QVERIFY(h.form->balloon().HoverBalloonShown());
        QTest::mouseMove(h.cell(26)->findChild<QWidget*>("Frame1"));
        QVERIFY(!h.form->balloon().BalloonVisible());
    }
};

QTEST_MAIN(NotesWiringTest)
#include "NotesWiringTest.moc"
