#pragma once
// The main window: its state fields and widgets. The behaviour of each area
// lives in a class of its own (the day report, navigation, start-up and exit
// settings) which the window wires together.

#include <QAction>
#include <QActionGroup>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "app/AppContext.h"
#include "app/DatePickers.h"
#include "core/TimeBase.h"

namespace noctiva::notes {
class BalloonController;
class NoteStore;
}  // namespace noctiva::notes

namespace noctiva::app {

class CalendarPage;
class DayReportController;
class DayReportPanel;
class Navigation;

// Colours of the window's panels: the base colour and the shades derived from it.
struct SchemeColors {
    QColor base;
    QColor dark;   // borders
    QColor light;  // pages, panels, the active tab
    QColor pale;   // the sign legend, the inactive tab, empty calendar cells
};

class Form1 : public QWidget {
    Q_OBJECT
  public:
    explicit Form1(AppContext context, QWidget* parent = nullptr);
    ~Form1() override;

    // Reads the settings and selects the current instant (window load).
    void Load();
    // Fills the lists and selects the current instant.
    void First();
    // Sets the four pickers to dt under the closed gate.
    void SetTime(core::DateSerial dt);
    // The day-picker change rule: selects the day's cell, runs the report.
    void DayPickerChanged();
    // Writes the settings and cleans up before the program ends; runs once.
    void ExitMe();
    // Writes the settings of the table (the session manager asks for it
    // before a logout, which may still be cancelled).
    void SaveSettings();
    bool hasExited() const { return exited_; }

    // Hooks into the areas that other parts of the program fill in. Each one
    // does nothing until its area is attached.
    std::function<void()> ShowCalen;
    std::function<void()> NoBalon;
    std::function<void(core::DateSerial)> ShowZam;
    std::function<void(int md, int zod, int faz, int qual, int vn)> ShowHtml;
    std::function<void(int cellIndex)> SelectCell;  // -1 deselects every cell
    std::function<bool(int cellIndex)> IsCellMarked;
    std::function<void(bool enabled)> SetDeleteEnabled;
    std::function<void()> OnDaySelected;  // sets the balloon state for a new day

    AppContext context;

    // --- State ---
    core::DateSerial SelDate = 0;
    core::DateSerial PrevDate = 0;
    core::DateSerial SelDateUT = 0;
    QString PagePath;
    QString PackagePath;
    int FirstDayCell = 0;
    int CurPage = 0;
    int LastTab = 0;
    int PrevCatIndex = 0;
    bool Busy = false;
    int FontPt = 8;
    int HtmlFontSize = 2;
    QString Tag;  // the gate: "ok" while the four pickers agree
    bool WineMode = false;
    QString TrayToolTip;  // summary of the last report, for the tray icon
    SchemeColors scheme;
    // The own scheme colour as stored ("ColorValue"); the system button face by default.
    qint64 ColorValue = -2147483633;

    // --- Widgets ---
    DatePicker* DTPicker1 = nullptr;  // the selected instant, shows the day
    MonthPicker* DTPicker2 = nullptr;
    DatePicker* DTPicker3 = nullptr;     // year
    DatePicker* DTPicker4 = nullptr;     // time of day
    QLabel* Image20 = nullptr;           // previous day arrow
    QLabel* Image21 = nullptr;           // next day arrow
    QLabel* Label17 = nullptr;           // hit area of "Сейчас"; its tooltip is the clock
    QLabel* Label20 = nullptr;           // hit area of "Настройки"
    QLabel* Label18 = nullptr;           // hit area of "О программе"
    DayReportPanel* Frame4 = nullptr;    // the day report
    std::array<QFrame*, 2> Shape5{};     // tab shapes
    std::array<QLabel*, 2> Label25{};    // tab hit areas
    std::array<QWidget*, 3> Picture4{};  // pages: description, calendar, about
    std::array<QFrame*, 4> Shape4{};     // hover frames
    QFrame* Shape2 = nullptr;            // frame of the pages
    QTimer Timer1;                       // the clock tooltip, every second
    QTimer Timer2;                       // closes the splash once, after the first activation
    bool Timer2Done = false;             // Timer2's tag "f"

    QLabel* Label58 = nullptr;  // "Добавить или изменить заметку"
    QLabel* Label67 = nullptr;  // "Удалить заметку", enabled for a marked day

    QMenu* mnuOptions = nullptr;
    QAction* mnuZam = nullptr;
    QAction* mnuEcliptic = nullptr;
    QAction* mnuAutoStartUp = nullptr;
    QAction* mnuToTray = nullptr;
    QAction* mnuWineMode = nullptr;
    std::array<QAction*, 5> mnuFntSize{};
    std::array<QAction*, 9> mnuc{};
    QAction* mnucEx = nullptr;

    DayReportController& report() { return *report_; }
    Navigation& navigation() { return *navigation_; }
    CalendarPage& calendar() { return *calendar_; }
    notes::NoteStore& notes() { return *notes_; }
    notes::BalloonController& balloon() { return *balloon_; }

    // The note commands of the calendar page.
    void OpenNoteEditor();
    void DeleteSelectedNote();
    // Asks whether to delete a note; replaced by tests.
    std::function<bool(const QString& question)> AskYesNo;

    // Closing the splash window (set by the entry procedure).
    std::function<void()> CloseSplash;
    // Sends the window to the notification area; empty while there is none.
    std::function<void()> ToTray;
    // Shows the about page.
    std::function<void()> ShowAbout;

  protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void BuildTopBar();
    void BuildTabsAndPages();
    void BuildOptionsMenu();
    void PlaceWindow(int topTwips, int leftTwips);
    void ApplyFontSize(int index);
    void AttachNotes();

    std::unique_ptr<DayReportController> report_;
    std::unique_ptr<Navigation> navigation_;
    CalendarPage* calendar_ = nullptr;  // owned by its page
    std::unique_ptr<notes::NoteStore> notes_;
    std::unique_ptr<notes::BalloonController> balloon_;
    bool exited_ = false;
};

// Text of a date-time as the window shows it: "07.06.2009 22:12:54".
QString DateTimeText(core::DateSerial d);

}  // namespace noctiva::app
