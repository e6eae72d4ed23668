#pragma once

#include <QColor>
#include <QPalette>
#include <QString>
#include <QWidget>

#include <array>
#include <variant>

class QLabel;

namespace noctiva::app {

// One day of the month calendar: the day number, the lunar day (two joined by
// "/" when a new lunar day begins during the day), the Moon's sign glyph (two
// when the Moon enters a new sign that day), three note markers and the state
// of the day by its colour (ordinary, today, selected, no day). The calendar
// feeds it every value; the cell computes nothing.
//
// The cell is drawn on its face, which fills the whole cell; the labels and the
// markers lie on the face. A cell without a day has its face disabled: it takes
// no mouse input and raises none of its signals, and its mouse events pass on
// to the widget below it.
class Day : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString tag READ tag WRITE setTag)

  public:
    // Design size of the cell in pixels; the calendar shows cells of 53 or 54 by
    // 39 or 40 pixels, and the parts follow the widget's size.
    static constexpr int kDesignWidth = 54;
    static constexpr int kDesignHeight = 40;

    // Colour of the face of today's cell.
    static constexpr QColor kTodayColor{255, 128, 128};
    // Colour of the lunar days of a cell that is not selected.
    static constexpr QColor kMoonDayColor{0, 0, 128};
    // Face colour of a cell without a day until the calendar sets its own.
    static constexpr QColor kDefaultNoDayColor{0xD8, 0xDC, 0xE8};

    // Note markers: 0 one-time reminder, 1 note, 2 zodiac reminder.
    static constexpr int kMarkerCount = 3;

    explicit Day(QWidget* parent = nullptr);
    ~Day() override;

    // d > 0: the cell shows day d of the month with the window background as
    // its normal colour. d <= 0: the cell shows no day, takes the no-day colour
    // and no mouse input. Either way the cell is no longer selected.
    void SetDay(int d);
    // Lunar day at the start of the day ("" for d <= 0).
    void SetMoonDay(int d);
    // Sign glyph at the start of the day, by symbol code 94 (Aries) to 105
    // (Pisces); 93 or less clears it.
    void SetZodiac2(int d);
    // Lunar day at the end of the day: appended after "/" when it differs from
    // the one shown.
    void SetMoonDay2(int d);
    // Sign glyph at the start of the day (replaces the text).
    void SetZodiac(int d);
    // Face colour of a day cell that is not selected.
    void SetBackColor(const QColor& c);
    void SetSelect();
    void SetDeSelect();
    QColor GetBackColor() const;
    void SetToday();
    // Day number shown, 0 for a cell without a day.
    int GetDay() const;
    // Sign index (1..12) the Moon enters during the day when the cell shows two
    // glyphs; 93 otherwise.
    int GetNewZodiak() const;
    // Lunar day at the end of the day: the number after "/", or the only one.
    int GetNewMoonDay() const;
    // Sets the three note markers from the kind letters in Exst: "d" one-time
    // reminder, "m" note, "z" zodiac reminder. Hides all three on a cell
    // without a day.
    void SheudExist(const QString& Exst);
    // Shows the note marker when d is not empty, hides it otherwise.
    void SetDesc(const QString& d);
    // The native window the face is drawn in (0 before the cell has one). The
    // face itself stays a non-native widget.
    WId GetHWND() const;
    // True when the note marker is shown.
    bool IsMarked() const;

    // The face colour of a cell without a day (the calendar passes the colour
    // of its legend panel). A cell that shows no day repaints at once.
    void SetNoDayColor(const QColor& c);
    QColor NoDayColor() const { return noDayColor_; }

    // Note text of the cell's date as the calendar read it ("" when none).
    QString tag() const { return tag_; }
    void setTag(const QString& t) { tag_ = t; }

    QSize sizeHint() const override;

  signals:
    void MouseMove();
    void MouseUp();
    void DblClick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // A colour either fixed or taken from the cell's palette when drawn, so that
    // the system colours follow the desktop's colour settings.
    using Shade = std::variant<QPalette::ColorRole, QColor>;
    class Face;
    class Marker;

    QColor resolve(const Shade& s) const;
    void setFace(const Shade& s);
    void applyTextColors();
    void placeParts();
    bool isPart(const QObject* o) const;

    Face* face_ = nullptr;
    QLabel* label1_ = nullptr;  // day number
    QLabel* label2_ = nullptr;  // sign glyphs
    QLabel* label3_ = nullptr;  // lunar days
    std::array<Marker*, kMarkerCount> markers_{};
    // Marker places in design pixels within the cell.
    std::array<QPoint, kMarkerCount> markerPos_{};

    Shade faceShade_ = QPalette::Base;
    Shade ownShade_ = kTodayColor;
    QColor noDayColor_ = kDefaultNoDayColor;
    bool hasDay_ = false;
    bool selectedText_ = false;
    bool facePressed_ = false;
    QString tag_;
};

}  // namespace noctiva::app
