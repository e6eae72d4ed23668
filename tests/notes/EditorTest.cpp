#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "notes/FormDesc.h"
#include "notes/NoteStore.h"
#include "platform/SettingsStore.h"

using namespace noctiva::notes;
using noctiva::core::SerialFromCivil;
using noctiva::platform::SettingsStore;

namespace {

const EditorColours kColours{QColor(0xE0, 0xE8, 0xF0), QColor(0x30, 0x40, 0x50),
                             QColor(0xFF, 0xD0, 0x80)};

}  // namespace

class EditorTest : public QObject {
    Q_OBJECT

  private:
    QString iniPath() const { return dir_.filePath(QStringLiteral("Noctiva.ini")); }
    std::unique_ptr<FormDesc> open(NoteStore& store, DateSerial date) {
        auto editor = std::make_unique<FormDesc>(&main_, store, date, kColours);
        editor->show();
        return editor;
    }
    static QPlainTextEdit* textBox(FormDesc& e) {
        return e.findChild<QPlainTextEdit*>(QStringLiteral("Text2"));
    }
    static void click(FormDesc& e, const char* name) {
        QWidget* w = e.findChild<QWidget*>(QLatin1String(name));
        QVERIFY2(w, name);
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5));
    }

    QTemporaryDir dir_;
    QWidget main_;
    const double dec9_ = SerialFromCivil(2009, 12, 9, 18, 30);

  private slots:
    void initTestCase() {
        main_.setGeometry(200, 150, 772, 528);
        main_.show();
    }
    void init() { QFile::remove(iniPath()); }

    void caption_data() {
        QTest::addColumn<double>("date");
        QTest::addColumn<QString>("caption");
        QTest::newRow("December") << SerialFromCivil(2009, 12, 9, 18, 30)
                                  << "9 декабря 2009 - заметки дня";
        QTest::newRow("March") << SerialFromCivil(2010, 3, 1) << "1 марта 2010 - заметки дня";
        QTest::newRow("May") << SerialFromCivil(2100, 5, 31) << "31 мая 2100 - заметки дня";
    }
    void caption() {
        QFETCH(double, date);
        QFETCH(QString, caption);
        SettingsStore settings(iniPath());
        NoteStore store(settings);
        FormDesc editor(&main_, store, date, kColours);
        QCOMPARE(editor.windowTitle(), caption);
    }

    void placedAtTheMainWindowsCorner() {
        QCOMPARE(EditorPosition(QRect(100, 50, 780, 560), QSize(317, 190)), QPoint(563, 420));
        SettingsStore settings(iniPath());
        NoteStore store(settings);
        auto editor = open(store, dec9_);
        QCOMPARE(editor->frameGeometry().bottomRight(), main_.frameGeometry().bottomRight());
        QCOMPARE(editor->size(), QSize(309, 158));
    }

    // What each way of closing does to the store and to the dialog.
    void commands_data() {
        QTest::addColumn<QString>("stored");  // "" for no note
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("accepted");
        const QString note = QStringLiteral("первая\r\nвторая");
        QTest::newRow("ok unchanged") << note << "ok" << note << true;
        QTest::newRow("ok on an empty day") << ""
                                            << "ok"
                                            << "" << true;
        QTest::newRow("typed then ok") << ""
                                       << "type ok"
                                       << "Полнолуние\r\nчеснок" << true;
        QTest::newRow("typed then cancel") << note << "type cancel" << note << false;
        QTest::newRow("typed then escape in the text box")
            << note << "type escape" << note << false;
        QTest::newRow("clear then ok deletes") << note << "clear ok"
                                               << "" << true;
        QTest::newRow("clear then cancel keeps") << note << "clear cancel" << note << false;
        QTest::newRow("clear then escape keeps") << note << "clear escape" << note << false;
        QTest::newRow("clear then close button keeps") << note << "clear close" << note << false;
        QTest::newRow("clear, type, ok") << note << "clear type ok"
                                         << "Полнолуние\r\nчеснок" << true;
        QTest::newRow("typed after a note") << note << "type ok"
                                            << "первая\r\nвторая\r\nПолнолуние\r\nчеснок" << true;
        QTest::newRow("lone line feeds kept when unchanged") << "a\nb\rc"
                                                             << "ok"
                                                             << "a\nb\rc" << true;
        QTest::newRow("spaces only are a note") << ""
                                                << "spaces ok"
                                                << "   " << true;
    }
    void commands() {
        QFETCH(QString, stored);
        QFETCH(QString, steps);
        QFETCH(QString, after);
        QFETCH(bool, accepted);
        SettingsStore settings(iniPath());
        NoteStore store(settings);
        QVERIFY(store.WriteNote(dec9_, stored));
        auto editor = open(store, dec9_);
        QPlainTextEdit* text = textBox(*editor);
        for (const QString& step : steps.split(u' ')) {
            if (step == u"ok") {
                click(*editor, "Label18");
            } else if (step == u"cancel") {
                click(*editor, "Label1");
            } else if (step == u"clear") {
                click(*editor, "Label4");
                QCOMPARE(text->toPlainText(), QString());
            } else if (step == u"escape") {
                QVERIFY(text->hasFocus() || !QApplication::focusWidget());
                QTest::keyClick(text, Qt::Key_Escape);
            } else if (step == u"close") {
                editor->close();
            } else if (step == u"type") {
                text->moveCursor(QTextCursor::End);
                if (!text->toPlainText().isEmpty()) {
                    QTest::keyClick(text, Qt::Key_Return);
                }
                text->insertPlainText(QStringLiteral("Полнолуние"));
                QTest::keyClick(text, Qt::Key_Return);  // a new line, no command
                text->insertPlainText(QStringLiteral("чеснок"));
            } else if (step == u"spaces") {
                QTest::keyClicks(text, QStringLiteral("   "));
            }
        }
        QVERIFY(!editor->isVisible());
        QCOMPARE(editor->result(), accepted ? QDialog::Accepted : QDialog::Rejected);
        QCOMPARE(SettingsStore(iniPath()).GetSetting(noctiva::platform::kNotesSection,
                                                     QStringLiteral("09.12.2009"),
                                                     QStringLiteral("<none>")),
                 after.isEmpty() ? QStringLiteral("<none>") : after);
    }

    void opensWithTheStoredText() {
        SettingsStore settings(iniPath());
        NoteStore store(settings);
        QVERIFY(store.WriteNote(dec9_, QStringLiteral("строка 1\r\nстрока 2")));
        auto editor = open(store, SerialFromCivil(2009, 12, 9));
        QCOMPARE(textBox(*editor)->toPlainText(), QStringLiteral("строка 1\nстрока 2"));
        QCOMPARE(editor->noteText(), QStringLiteral("строка 1\r\nстрока 2"));
        auto other = open(store, SerialFromCivil(2009, 12, 10));
        QCOMPARE(textBox(*other)->toPlainText(), QString());
    }

    void editedTextKeepsItsCharacters() {
        SettingsStore settings(iniPath());
        NoteStore store(settings);
        auto editor = open(store, dec9_);
        const QString typed = QStringLiteral("a\u00A0b \"c\" \\d %e 🌙");
        textBox(*editor)->setPlainText(typed + QStringLiteral("\nf"));
        QCOMPARE(editor->noteText(), typed + QStringLiteral("\r\nf"));
    }

    // The store refuses the write: the editor stays open with the text and
    // says why; nothing is stored.
    void refusedWriteKeepsTheEditorOpen() {
        QFile blocker(dir_.filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        SettingsStore settings(dir_.filePath(QStringLiteral("blocker/Noctiva.ini")));
        NoteStore store(settings);
        auto editor = open(store, dec9_);
        textBox(*editor)->insertPlainText(QStringLiteral("Важная заметка"));
        click(*editor, "Label18");
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->result(), 0);
        QCOMPARE(textBox(*editor)->toPlainText(), QStringLiteral("Важная заметка"));
        QVERIFY2(editor->errorText().startsWith(QStringLiteral("Заметка не сохранена: ")),
                 qPrintable(editor->errorText()));
        QVERIFY(editor->errorText().contains(store.lastError()));
        auto* label = editor->findChild<QLabel*>(QStringLiteral("ErrorLabel"));
        QVERIFY(label->isVisible());
        QVERIFY(editor->rect().contains(label->geometry()));
        // Still at the corner, grown upwards.
        QCOMPARE(editor->frameGeometry().bottomRight(), main_.frameGeometry().bottomRight());
        QCOMPARE(store.ReadNote(dec9_), QString());
        // The user can still give up.
        click(*editor, "Label1");
        QVERIFY(!editor->isVisible());
    }

    void hoverFrame() {
        SettingsStore settings(iniPath());
        NoteStore store(settings);
        auto editor = open(store, dec9_);
        QWidget* frame = editor->findChild<QWidget*>(QStringLiteral("Shape4"));
        for (const char* name : {"Label18", "Label1", "Label4"}) {
            QWidget* command = editor->findChild<QWidget*>(QLatin1String(name));
            QEvent enter(QEvent::Enter);
            QApplication::sendEvent(command, &enter);
            QCOMPARE(frame->geometry(), command->geometry().adjusted(-3, -3, 3, 3));
        }
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(textBox(*editor), &enter);
        QCOMPARE(frame->pos(), QPoint(-289, -45));
    }

    void schemeColours() {
        SettingsStore settings(iniPath());
        NoteStore store(settings);
        auto editor = open(store, dec9_);
        const QImage shot = editor->grab().toImage();
        QCOMPARE(QColor(shot.pixel(8, 100)), kColours.panelFill);   // inside Shape1
        QCOMPARE(QColor(shot.pixel(6, 60)), kColours.panelBorder);  // its border
        QWidget* command = editor->findChild<QWidget*>(QStringLiteral("Label18"));
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(command, &enter);
        const QImage hovered = editor->grab().toImage();
        QCOMPARE(QColor(hovered.pixel(command->x() - 2, command->y())), kColours.highlight);
    }

    void deleteQuestion() {
        QCOMPARE(DeleteQuestion(SerialFromCivil(2009, 12, 9, 18, 30)),
                 QStringLiteral("Вы действительно хотите удалить заметку для 09.12.2009 18:30 ?"));
    }

    void deleteCommand_data() {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("after");
        QTest::newRow("no") << false << int(DeleteOutcome::Declined) << "заметка";
        QTest::newRow("yes") << true << int(DeleteOutcome::Deleted) << "";
    }
    void deleteCommand() {
        QFETCH(bool, answer);
        QFETCH(int, outcome);
        QFETCH(QString, after);
        SettingsStore settings(iniPath());
        NoteStore store(settings);
        QVERIFY(store.WriteNote(dec9_, QStringLiteral("заметка")));
        QVERIFY(store.WriteNote(SerialFromCivil(2009, 12, 10), QStringLiteral("другая")));
        QStringList asked;
        int told = 0;
        const DeleteOutcome result = DeleteNoteCommand(
            store, dec9_,
            [&](const QString& q) {
                asked << q;
                return answer;
            },
            [&](const QString&) { ++told; });
        QCOMPARE(int(result), outcome);
        QCOMPARE(asked, QStringList{DeleteQuestion(dec9_)});
        QCOMPARE(told, 0);
        SettingsStore fresh(iniPath());
        QCOMPARE(NoteStore(fresh).ReadNote(dec9_), after);
        QCOMPARE(NoteStore(fresh).ReadNote(SerialFromCivil(2009, 12, 10)),
                 QStringLiteral("другая"));
    }
};

QTEST_MAIN(EditorTest)
#include "EditorTest.moc"
