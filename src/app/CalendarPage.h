#pragma once
// The calendar page: the month grid of 42 day cells with lunar days and
// signs, the month header with its arrows, the weekday headers, the sign
// legend, and the panels of the note commands and the date search.

#include <QObject>
#include <QString>
#include <array>
#include <functional>

#include "core/TimeBase.h"

class QFrame;
class QLabel;
class QWidget;

namespace noctiva::app {

class Day;
class Form1;

// Legend texts, Aries to Pisces. Rising and falling follow the day report:
// the Moon rises from Capricorn to Gemini and falls from Cancer to Sagittarius.
extern const std::array<const char*, 12> kLegendTexts;

class CalendarPage : public QObject {
    Q_OBJECT
  public:
    CalendarPage(Form1& form, QWidget* page);
    ~CalendarPage() override;

    // Rebuilds the month of the day picker; ends with the day-picker change rule.
    void ShowCalen();
    // step +1 next month, -1 previous month; stops at January 1900 and December 2100.
    void StepMonth(int step);
    // A click on a cell that shows a day.
    void CellMouseUp(int index);

    // Reads the note of a local date ("" when none); empty until notes are attached.
    std::function<QString(core::DateSerial)> ReadNote;
    // A double click on a cell (notes open their editor here).
    std::function<void(int index)> CellDoubleClicked;
    // The pointer moved over a cell (notes show its balloon here).
    std::function<void(int index)> CellHovered;

    Day* cell(int index) const { return Day1[static_cast<size_t>(index)]; }
    QLabel* caption() const { return Label32; }
    QFrame* grid() const { return Frame3; }
    QWidget* commandsPanel() const { return commands_; }
    QWidget* searchPanel() const { return search_; }
    QLabel* nextMonthArrow() const { return Image13; }
    QLabel* previousMonthArrow() const { return Image14; }
    // How many rebuilds ran to their end.
    int completedBuilds() const { return completed_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildStatic(QWidget* page);

    Form1& form_;
    std::array<Day*, 42> Day1{};
    QLabel* Label32 = nullptr;     // month caption, "Декабрь 2009"
    QLabel* Image13 = nullptr;     // next month arrow
    QLabel* Image14 = nullptr;     // previous month arrow
    QFrame* Frame3 = nullptr;      // the grid, hidden while it is built
    QFrame* Frame5 = nullptr;      // the sign legend
    QWidget* commands_ = nullptr;  // "Задачи календаря" panel
    QWidget* search_ = nullptr;    // "Поиск даты" panel
    int generation_ = 0;
    int completed_ = 0;
};

}  // namespace noctiva::app
