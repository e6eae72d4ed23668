#pragma once
// Who may show the one balloon window, and when: the note balloon of the
// selected date, shown by every new day report, and the hover balloon of the
// calendar's day cells.

#include <QDate>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

#include "core/TimeBase.h"

class QWidget;

namespace noctiva::notes {

using core::DateSerial;

// Values of the balloon state besides the cell indices 0..41.
inline constexpr int16_t kBalloonSelectionChanged = 200;  // also: closed by a click
inline constexpr int16_t kBalloonNoteShowing = 300;       // hover is blocked
inline constexpr int16_t kBalloonHeldBack = 400;          // note balloons held back
inline constexpr int kCellCount = 42;

// What the controller needs from the main window. Every member must be set.
struct BalloonHost {
    // The option "Показывать заметки" is ticked.
    std::function<bool()> notesOptionOn;
    // The note of a date ("" for none): NoteStore::ReadNote.
    std::function<QString(DateSerial)> readNote;
    // The main window's outer rectangle (with its frame) and its client
    // rectangle, in global pixels (QWidget::frameGeometry and geometry).
    std::function<QRect()> mainFrame;
    std::function<QRect()> mainClient;
    // The main window is hidden in the notification area; bring it back.
    std::function<bool()> inTray;
    std::function<void()> fromTray;
    // Day cell i (0..41): carries the note marker; the note text the calendar
    // read for it at its last build; the date it shows; its top-left corner
    // within the calendar frame, in pixels.
    std::function<bool(int)> cellMarked;
    std::function<QString(int)> cellNote;
    std::function<QDate(int)> cellDate;
    std::function<QPoint(int)> cellPos;
};

// The balloon window as the controller drives it.
class BalloonView {
  public:
    virtual ~BalloonView() = default;
    // Moves the window, creating it (hidden) when there is none.
    virtual void Place(QPoint topLeft) = 0;
    // Redraws the window for a title and a note, creating it when needed.
    virtual void Compose(const QString& title, const QString& note) = 0;
    // Shows the window without making it modal; with activate false the
    // keyboard focus stays where it was.
    virtual void Show(bool activate) = 0;
    // Closes and destroys the window; nothing when there is none.
    virtual void Close() = 0;
    virtual bool IsVisible() const = 0;

    // Set by the controller: a click on the balloon, Escape on the balloon.
    std::function<void()> onClick;
    std::function<void()> onEscape;
};

// The balloon window (Balon) owned by the main window.
std::unique_ptr<BalloonView> MakeBalonView(QWidget* owner);

// Where the balloons go, from the main window's outer and client rectangles.
QPoint NoteBalloonPosition(const QRect& mainFrame, const QRect& mainClient);
QPoint HoverBalloonPosition(const QRect& mainFrame, const QRect& mainClient, QPoint cellPos);

// Titles: "Заметки на 9 декабря 2009" and "9 декабря 2009 - заметки".
QString NoteBalloonTitle(QDate date);
QString HoverBalloonTitle(QDate date);

class BalloonController {
  public:
    BalloonController(BalloonHost host, std::unique_ptr<BalloonView> view);

    // The end of every day report: shows the note of dt's date, closes the
    // balloon when the date has none. Nothing while the option is off or
    // while note balloons are held back.
    void ShowZam(DateSerial dt);
    // The pointer moved over day cell i (0..41).
    void HoverCell(int i);
    // Closes the balloon; the state stays (category arrows, exit, a mouse
    // button released over a day cell).
    void NoBalon();
    // The selected day changed (the day-picker change rule).
    void SelectionChanged();
    // The description category changed: closes the balloon and holds note
    // balloons back until the selection changes, the balloon is clicked or
    // the pointer moves over a day cell.
    void CategoryChanged();
    // Events of the balloon window (also wired to the view's callbacks).
    void BalloonClicked();
    void BalloonEscape();

    bool BalloonVisible() const { return view_->IsVisible(); }
    // Brings an open balloon above the main window again (the main window is
    // shown after the start-up balloon came up).
    void KeepOnTop();
    int16_t BalloonState() const { return state_; }
    bool HoverBalloonShown() const { return hoverShown_; }

  private:
    BalloonHost host_;
    std::unique_ptr<BalloonView> view_;
    int16_t state_ = 0;
    bool hoverShown_ = false;
};

}  // namespace noctiva::notes
