#pragma once
// The four pickers of the selected instant. Each holds a whole date-time and
// shows some of its fields. Values are wall-clock readings kept in a UTC
// QDateTime, so that no daylight-saving rule of Qt moves them.

#include <QDateTimeEdit>

#include "core/TimeBase.h"

namespace noctiva::app {

QDateTime DateTimeOfSerial(core::DateSerial d);
core::DateSerial SerialOfDateTime(const QDateTime& dt);

// The range every picker allows: 1 January 1900 to 31 December 2100.
QDateTime FirstPickerDateTime();
QDateTime LastPickerDateTime();

class DatePicker : public QDateTimeEdit {
    Q_OBJECT
  public:
    DatePicker(const QString& format, QWidget* parent = nullptr);

    core::DateSerial serial() const { return SerialOfDateTime(dateTime()); }
    void setSerial(core::DateSerial d) { setDateTime(DateTimeOfSerial(d)); }
};

// The month picker names the month in the nominative ("Июнь"), where a
// "MMMM" field of the Russian locale would give the genitive ("июня").
class MonthPicker : public DatePicker {
    Q_OBJECT
  public:
    explicit MonthPicker(QWidget* parent = nullptr);

  protected:
    QString textFromDateTime(const QDateTime& dt) const override;
    QDateTime dateTimeFromText(const QString& text) const override;
    QValidator::State validate(QString& input, int& pos) const override;
};

}  // namespace noctiva::app
