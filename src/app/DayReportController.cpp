#include "app/DayReportController.h"

#include <exception>

#include "app/Form1.h"
#include "app/Navigation.h"
#include "app/report/DayReportPanel.h"
#include "core/Pump.h"
#include "core/Report.h"

namespace noctiva::app {

void DayReportController::calculate() {
    Form1& f = form_;
    if (f.Busy || f.Tag != QLatin1String("ok") || f.hasExited()) {
        return;
    }
    f.SelDate = f.DTPicker1->serial();
    if (f.SelDate == f.PrevDate) {
        return;
    }
    f.PrevDate = f.SelDate;

    // A report that starts while this one waits in a yield is for a newer
    // instant; this one then stops, so the panel keeps the newer values.
    const int generation = ++generation_;
    auto stale = [this, generation] { return generation != generation_; };
    auto superseded = [&stale] {
        core::PumpEvents();
        return stale();
    };

    core::DayReport r;
    try {
        r = core::ComputeDayReport(f.SelDate, f.context.zone);
    } catch (const std::exception&) {
        return;  // an instant the computations cannot take: the panel stays as it was
    }
    if (stale()) {
        return;  // the lunation search let a newer report run to its end
    }
    f.SelDateUT = r.ut;
    DayReportPanel& panel = *f.Frame4;

    panel.SetLunarDay(QString::number(r.lunarDay));
    panel.ShowPhase(r.phaseAngle);
    if (superseded()) {
        return;
    }
    panel.SetVisibility(QString::fromStdString(r.visibilityText));
    if (f.mnuEcliptic->isChecked()) {
        panel.PlaceEclipticMarker(r.longitude);
    } else {
        panel.ShowSignPicture(r.sign);
    }
    if (superseded()) {
        return;
    }
    panel.SetPosition(QString::fromStdString(r.positionText));
    panel.SetSignGlyph(r.sign);
    panel.SetEvents(DateTimeText(r.prevNewMoon), DateTimeText(r.nextNewMoon),
                    DateTimeText(r.prevFullMoon), DateTimeText(r.nextFullMoon));
    panel.SetPhaseText(QString::fromStdString(r.phaseText));
    panel.SetRising(r.vn);
    panel.SetQuality(QString::fromStdString(r.qualityText));
    if (superseded()) {
        return;
    }
    if (f.ShowHtml) {
        f.ShowHtml(r.lunarDay, r.sign, r.phaseClass, r.quality, r.vn);
    }
    if (superseded()) {
        return;
    }
    f.TrayToolTip = QString::fromStdString(r.trayTip);
    ++completed_;
    if (f.ShowZam) {
        f.ShowZam(f.SelDate);
    }
}

void DayReportController::ToggleEcliptic() {
    Form1& f = form_;
    // The action has already inverted its check mark.
    f.Frame4->SetEclipticOn(f.mnuEcliptic->isChecked());
    f.PrevDate = f.SelDate - 1;
    calculate();
}

void DayReportController::EventLabelClicked(const QString& caption) {
    form_.navigation().GotoDateText(DtCor(caption));
}

}  // namespace noctiva::app
