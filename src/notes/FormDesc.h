#pragma once
// The note editor of the selected date, and the delete command's question.

#include <QColor>
#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>

#include "notes/NoteStore.h"

class QLabel;
class QPlainTextEdit;
class QWidget;

namespace noctiva::notes {

// Colours of the current scheme, taken from the main window when the editor
// opens: its panel (fill and border) and its hover frame.
struct EditorColours {
    QColor panelFill;
    QColor panelBorder;
    QColor highlight;
};

// Where the editor goes: its outer bottom-right corner on the main window's.
QPoint EditorPosition(const QRect& mainFrame, const QSize& editorFrame);

// "9 декабря 2009 - заметки дня".
QString EditorCaption(QDate date);

// The modal note editor. Made afresh for each opening:
//
//     FormDesc editor(this, store, selected, colours);
//     if (editor.exec() == QDialog::Accepted) ShowCalen();
//
// " Ok" stores the text (an empty text deletes the note) and accepts; when
// the store refuses, the editor stays open with the text and says why.
// " Отмена", Escape and the frame's close button reject without storing.
class FormDesc : public QDialog {
    Q_OBJECT
  public:
    FormDesc(QWidget* mainWindow, NoteStore& store, DateSerial selected,
             const EditorColours& colours);

    // The text as it will be stored (lines joined with CR LF).
    QString noteText() const;
    // The message shown after a refused write; "" when there is none.
    QString errorText() const;

  public slots:
    void ok();
    void cancel();
    void clearText();

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void place();
    void showError(const QString& message);
    void highlight(QWidget* command);

    NoteStore& store_;
    DateSerial date_;
    QString loaded_;       // the stored value when the editor opened
    QString loadedShown_;  // the same text as the text box shows it
    QWidget* panel_ = nullptr;
    QWidget* shape4_ = nullptr;
    QPlainTextEdit* text2_ = nullptr;
    QLabel* error_ = nullptr;
};

// The delete command's question: "Вы действительно хотите удалить заметку для
// 09.12.2009 18:30 ?" (the date and time in the short Russian form).
QString DeleteQuestion(DateSerial selected);

enum class DeleteOutcome { Declined, Deleted, Failed };

// Asks `ask` the question and deletes the note on yes. On a refused delete,
// `tell` (when set) gets a Russian message. The caller rebuilds the calendar
// unless the outcome is Declined.
DeleteOutcome DeleteNoteCommand(NoteStore& store, DateSerial selected,
                                const std::function<bool(const QString& question)>& ask,
                                const std::function<void(const QString& message)>& tell = {});

// The same with message boxes owned by `parent`: a Yes/No warning question
// ("Да"/"Нет", No by default) captioned with the application's name, and a
// warning when the note could not be deleted.
DeleteOutcome DeleteNoteCommand(QWidget* parent, NoteStore& store, DateSerial selected);

}  // namespace noctiva::notes
