#pragma once
// Texts of date serials, rounded to the nearest second.

#include <optional>
#include <string>

#include "core/TimeBase.h"

namespace noctiva::core {

// "07.06.2009 22:12:54"
std::string FormatDateTime(DateSerial d);
// "2009-06-07T22:12:54"
std::string FormatIsoDateTime(DateSerial d);
// Reads "YYYY-MM-DDTHH:MM" or "YYYY-MM-DDTHH:MM:SS" (also with a space for
// the "T"); nothing when the text is not such a date or names no real day.
std::optional<DateSerial> ParseIsoDateTime(const std::string& text);

}  // namespace noctiva::core
