#pragma once
// The commands that move the selected instant (month, year and time pickers,
// previous and next day, "Сейчас", going to an event), the page switch and
// the hover frames of the window's buttons.

#include <QString>
#include <optional>

#include "core/TimeBase.h"

class QWidget;

namespace noctiva::app {

class Form1;

// Cuts a date-time text after the two digits of its seconds.
QString DtCor(const QString& dtcr);
// Reads "dd.MM.yyyy HH:mm:ss", "dd.MM.yyyy HH:mm" or "dd.MM.yyyy".
std::optional<core::DateSerial> ParseDateTimeText(const QString& text);

// Sets the month (or the year) of an instant, moving its day back to the last
// day of the target month when the month is shorter.
core::DateSerial WithMonth(core::DateSerial d, int month);
core::DateSerial WithYear(core::DateSerial d, int year);

class Navigation {
  public:
    explicit Navigation(Form1& form) : form_(form) {}

    void MonthPickerChanged();
    void YearPickerChanged();
    void TimePickerChanged();
    // step -1 previous day, +1 next day.
    void StepDay(int step);
    void Now();
    void GotoDate(core::DateSerial wd);
    void GotoDateText(const QString& text);
    // 0 description, 1 calendar, 2 about page.
    void SwitchPage(int index);
    void ShowCur(QWidget* selOb, int index);
    void HideCur();

  private:
    Form1& form_;
};

}  // namespace noctiva::app
