#include "app/DatePickers.h"

#include <QLocale>

#include "core/Zodiac.h"

namespace noctiva::app {

QDateTime DateTimeOfSerial(core::DateSerial d) {
    const core::CivilTime c = core::CivilFromSerial(d);
    return QDateTime(QDate(c.year, c.month, c.day), QTime(c.hour, c.minute, c.second), Qt::UTC);
}

core::DateSerial SerialOfDateTime(const QDateTime& dt) {
    const QDate d = dt.date();
    const QTime t = dt.time();
    return core::SerialFromCivil(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

QDateTime FirstPickerDateTime() {
    return QDateTime(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC);
}

QDateTime LastPickerDateTime() {
    return QDateTime(QDate(2100, 12, 31), QTime(23, 59, 59), Qt::UTC);
}

DatePicker::DatePicker(const QString& format, QWidget* parent) : QDateTimeEdit(parent) {
    setTimeSpec(Qt::UTC);
    setLocale(QLocale(QLocale::Russian, QLocale::Russia));
    setDisplayFormat(format);
    // A format without date fields must not pin the date: set the range after it.
    setDateTimeRange(FirstPickerDateTime(), LastPickerDateTime());
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setKeyboardTracking(false);
}

namespace {

QString NominativeMonth(int m) {
    return QString::fromStdString(core::MonthName(m));
}

}  // namespace

MonthPicker::MonthPicker(QWidget* parent) : DatePicker(QStringLiteral("MMMM"), parent) {}

QString MonthPicker::textFromDateTime(const QDateTime& dt) const {
    return NominativeMonth(dt.date().month());
}

QDateTime MonthPicker::dateTimeFromText(const QString& text) const {
    const QString t = text.trimmed();
    QDateTime current = dateTime();
    for (int m = 1; m <= 12; ++m) {
        if (NominativeMonth(m).compare(t, Qt::CaseInsensitive) == 0) {
            const QDate d = current.date();
            const int day = std::min(d.day(), QDate(d.year(), m, 1).daysInMonth());
            current.setDate(QDate(d.year(), m, day));
            return current;
        }
    }
    return current;
}

QValidator::State MonthPicker::validate(QString& input, int& pos) const {
    Q_UNUSED(pos);
    const QString t = input.trimmed();
    bool prefix = false;
    for (int m = 1; m <= 12; ++m) {
        const QString name = NominativeMonth(m);
        if (name.compare(t, Qt::CaseInsensitive) == 0) {
            return QValidator::Acceptable;
        }
        if (name.startsWith(t, Qt::CaseInsensitive)) {
            prefix = true;
        }
    }
    return prefix ? QValidator::Intermediate : QValidator::Invalid;
}

}  // namespace noctiva::app
