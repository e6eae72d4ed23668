#pragma once
// The day report: fills the left panel for the selected instant, step by
// step, letting pending events run between the steps.

#include <QString>

#include "core/TimeBase.h"

namespace noctiva::app {

class Form1;

class DayReportController {
  public:
    explicit DayReportController(Form1& form) : form_(form) {}

    // Reports the value of the day picker, unless the gate is closed, the
    // search is moving the pickers, or that value was reported last.
    void calculate();
    // The ecliptic display: inverts the menu's check mark and repaints.
    void ToggleEcliptic();
    // A click on an event label: go to the instant it shows.
    void EventLabelClicked(const QString& caption);

    // How many reports ran to their end (for tests).
    int completedReports() const { return completed_; }

  private:
    Form1& form_;
    int generation_ = 0;
    int completed_ = 0;
};

}  // namespace noctiva::app
