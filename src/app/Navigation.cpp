#include "app/Navigation.h"

#include <QRegularExpression>

#include "app/DayReportController.h"
#include "app/Form1.h"
#include "core/Zodiac.h"

namespace noctiva::app {

QString DtCor(const QString& dtcr) {
    const int last = dtcr.lastIndexOf(QLatin1Char(':'));
    // Positions count from 1: a colon at position 4 or later.
    if (last >= 3) {
        return dtcr.left(last + 3);
    }
    return dtcr;
}

std::optional<core::DateSerial> ParseDateTimeText(const QString& text) {
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(\d{1,2})\.(\d{1,2})\.(\d{4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    const int day = m.captured(1).toInt();
    const int month = m.captured(2).toInt();
    const int year = m.captured(3).toInt();
    const int hour = m.captured(4).isEmpty() ? 0 : m.captured(4).toInt();
    const int minute = m.captured(5).isEmpty() ? 0 : m.captured(5).toInt();
    const int second = m.captured(6).isEmpty() ? 0 : m.captured(6).toInt();
    if (month < 1 || month > 12 || day < 1 || day > core::DaysInMonth(year, month) || hour > 23 ||
        minute > 59 || second > 59) {
        return std::nullopt;
    }
    return core::SerialFromCivil(year, month, day, hour, minute, second);
}

namespace {

core::DateSerial WithYearMonth(core::DateSerial d, int year, int month) {
    const core::CivilTime c = core::CivilFromSerial(d);
    // The day comes down one at a time until it exists in the target month.
    int day = c.day;
    while (day > core::DaysInMonth(year, month)) {
        --day;
    }
    return core::SerialFromCivil(year, month, day, c.hour, c.minute, c.second);
}

bool InPickerRange(core::DateSerial d) {
    const QDateTime dt = DateTimeOfSerial(d);
    return dt >= FirstPickerDateTime() && dt <= LastPickerDateTime();
}

}  // namespace

core::DateSerial WithMonth(core::DateSerial d, int month) {
    return WithYearMonth(d, core::CivilFromSerial(d).year, month);
}

core::DateSerial WithYear(core::DateSerial d, int year) {
    return WithYearMonth(d, year, core::CivilFromSerial(d).month);
}

void Navigation::MonthPickerChanged() {
    Form1& f = form_;
    const int month = f.DTPicker2->date().month();
    f.DTPicker1->setSerial(WithMonth(f.DTPicker1->serial(), month));
    if (f.ShowCalen) {
        f.ShowCalen();
    }
    f.report().calculate();
}

void Navigation::YearPickerChanged() {
    Form1& f = form_;
    const int year = f.DTPicker3->date().year();
    f.DTPicker1->setSerial(WithYear(f.DTPicker1->serial(), year));
    if (f.ShowCalen) {
        f.ShowCalen();
    }
    f.report().calculate();
}

void Navigation::TimePickerChanged() {
    Form1& f = form_;
    const core::CivilTime c = core::CivilFromSerial(f.DTPicker1->serial());
    const QTime t = f.DTPicker4->time();
    // Hour and minute from the time picker; the seconds stay.
    f.DTPicker1->setSerial(
        core::SerialFromCivil(c.year, c.month, c.day, t.hour(), t.minute(), c.second));
    f.report().calculate();
}

void Navigation::StepDay(int step) {
    Form1& f = form_;
    const core::DateSerial target = f.DTPicker1->serial() + step;
    if (!InPickerRange(target)) {
        return;  // the selection stays within 1900 to 2100
    }
    f.DTPicker1->setSerial(target);
    f.DTPicker2->setSerial(target);
    f.DTPicker3->setSerial(target);
    f.DayPickerChanged();
}

void Navigation::Now() {
    Form1& f = form_;
    if (f.NoBalon) {
        f.NoBalon();
    }
    f.SetTime(f.context.now());
    f.PrevDate = core::SerialFromCivil(1800, 1, 1);
    if (f.ShowCalen) {
        f.ShowCalen();
    }
    f.report().calculate();
}

void Navigation::GotoDate(core::DateSerial wd) {
    Form1& f = form_;
    if (!InPickerRange(wd)) {
        return;
    }
    f.DTPicker1->setSerial(wd);
    const core::DateSerial selected = f.DTPicker1->serial();
    f.DTPicker2->setSerial(selected);
    f.DTPicker3->setSerial(selected);
    f.DTPicker4->setSerial(selected);
    if (f.ShowCalen) {
        f.ShowCalen();
    }
    f.DayPickerChanged();
}

void Navigation::GotoDateText(const QString& text) {
    if (const auto d = ParseDateTimeText(text)) {
        GotoDate(*d);
    }
}

void Navigation::SwitchPage(int index) {
    Form1& f = form_;
    if (f.NoBalon) {
        f.NoBalon();
    }
    if (index == f.LastTab) {
        return;
    }
    for (int i = 0; i < 2; ++i) {
        if (i == index) {
            continue;
        }
        f.Shape5[i]->setStyleSheet(
            QStringLiteral("QFrame{background:%1;border:1px solid %2;border-top-left-radius:6px;"
                           "border-top-right-radius:6px;}")
                .arg(f.scheme.pale.name(), f.scheme.dark.name()));
        f.Shape5[i]->lower();
        f.Shape5[i]->move(f.Shape5[i]->x(), 585 / 15);
        f.Picture4[i]->hide();
    }
    f.Picture4[2]->hide();
    if (index != 2) {
        f.CurPage = index;
        f.LastTab = index;
        f.Shape5[index]->setStyleSheet(
            QStringLiteral("QFrame{background:%1;border:1px solid %2;border-bottom:none;"
                           "border-top-left-radius:6px;border-top-right-radius:6px;}")
                .arg(f.scheme.light.name(), f.scheme.dark.name()));
        f.Shape5[index]->raise();
        f.Label25[index]->raise();
        f.Shape5[index]->move(f.Shape5[index]->x(), 570 / 15);
    }
    f.Picture4[index]->show();
    f.Picture4[index]->raise();
    if (index == 1 && f.ShowCalen) {
        f.ShowCalen();
    }
}

void Navigation::ShowCur(QWidget* selOb, int index) {
    Form1& f = form_;
    QFrame* frame = f.Shape4[static_cast<size_t>(index)];
    if (frame == nullptr || selOb == nullptr) {
        return;
    }
    if (frame->parentWidget() != selOb->parentWidget()) {
        frame->setParent(selOb->parentWidget());
    }
    frame->setGeometry(selOb->geometry().adjusted(-3, -3, 3, 3));
    frame->show();
    frame->stackUnder(selOb);
}

void Navigation::HideCur() {
    for (QFrame* frame : form_.Shape4) {
        if (frame != nullptr) {
            frame->move(-4335 / 15, -675 / 15);
        }
    }
}

}  // namespace noctiva::app
