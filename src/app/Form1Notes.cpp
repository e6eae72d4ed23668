// The main window's notes: the note store behind the calendar's markers, the
// note editor and the delete command of the calendar page, and the balloon
// that shows the selected day's note.

#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include "app/CalendarPage.h"
#include "app/CommandLabel.h"
#include "app/Form1.h"
#include "app/daycell/Day.h"
#include "notes/BalloonController.h"
#include "notes/FormDesc.h"
#include "notes/NoteStore.h"
#include "pictures.h"
#include "platform/Fonts.h"

namespace noctiva::app {

void Form1::AttachNotes() {
    notes_ = std::make_unique<notes::NoteStore>(context.store);

    notes::BalloonHost host;
    host.notesOptionOn = [this] { return mnuZam->isChecked(); };
    host.readNote = [this](core::DateSerial d) { return notes_->ReadNote(d); };
    host.mainFrame = [this] { return frameGeometry(); };
    host.mainClient = [this] { return geometry(); };
    // Only a window in the notification area comes back for a note; until the
    // program has a tray icon there is none.
    host.inTray = [this] { return static_cast<bool>(ToTray) && (isHidden() || isMinimized()); };
    host.fromTray = [this] {
        showNormal();
        raise();
    };
    host.cellMarked = [this](int i) { return calendar_->cell(i)->IsMarked(); };
    host.cellNote = [this](int i) { return calendar_->cell(i)->tag(); };
    host.cellDate = [this](int i) {
        const QDate shown = DTPicker1->date();
        const int day = calendar_->cell(i)->GetDay();
        return day > 0 ? QDate(shown.year(), shown.month(), day) : QDate();
    };
    host.cellPos = [this](int i) { return calendar_->cell(i)->pos(); };
    balloon_ = std::make_unique<notes::BalloonController>(host, notes::MakeBalonView(this));

    NoBalon = [this] { balloon_->NoBalon(); };
    ShowZam = [this](core::DateSerial d) { balloon_->ShowZam(d); };
    OnDaySelected = [this] { balloon_->SelectionChanged(); };
    calendar_->ReadNote = [this](core::DateSerial d) { return notes_->ReadNote(d); };
    calendar_->CellHovered = [this](int i) { balloon_->HoverCell(i); };
    calendar_->CellDoubleClicked = [this](int) { OpenNoteEditor(); };

    QWidget* panel = calendar_->commandsPanel();
    const QRect row(6, 26, panel->width() - 12, 24);
    Label58 = CommandLabel(panel, QStringLiteral("note_add"),
                           QStringLiteral("Добавить или изменить заметку"), row, 8.25);
    Label67 = CommandLabel(panel, QStringLiteral("note_delete"), QStringLiteral("Удалить заметку"),
                           row.translated(0, 26), 8.25);
    Label67->setEnabled(false);
    for (QLabel* l : {Label58, Label67}) {
        l->installEventFilter(this);
    }
    SetDeleteEnabled = [this](bool enabled) { Label67->setEnabled(enabled); };
}

void Form1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The note of the day came up while the window loaded, before the window
    // was on the screen: put it back in front once the window is there.
    QTimer::singleShot(0, this, [this] { balloon_->KeepOnTop(); });
}

void Form1::OpenNoteEditor() {
    if (NoBalon) {
        NoBalon();
    }
    const notes::EditorColours colours{scheme.light, scheme.dark, scheme.light.darker(110)};
    notes::FormDesc editor(this, *notes_, DTPicker1->serial(), colours);
    if (editor.exec() == QDialog::Accepted && ShowCalen) {
        ShowCalen();
    }
}

void Form1::DeleteSelectedNote() {
    const core::DateSerial selected = DTPicker1->serial();
    notes::DeleteOutcome outcome;
    if (AskYesNo) {
        outcome = notes::DeleteNoteCommand(*notes_, selected, AskYesNo, [this](const QString& m) {
            QMessageBox::warning(this, windowTitle(), m);
        });
    } else {
        outcome = notes::DeleteNoteCommand(this, *notes_, selected);
    }
    if (outcome != notes::DeleteOutcome::Declined) {
        if (NoBalon) {
            NoBalon();  // the balloon may still show the deleted text
        }
        if (ShowCalen) {
            ShowCalen();
        }
    }
}

}  // namespace noctiva::app
