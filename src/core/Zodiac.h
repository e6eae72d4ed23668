#pragma once
// The Moon's ecliptic longitude, its zodiac sign and the texts and codes
// built on them, and three small calendar-text helpers.

#include <cstdint>
#include <string>

#include "core/TimeBase.h"

namespace noctiva::core {

// 1 Aries to 12 Pisces, one per 30 degrees of longitude.
using SignIndex = int16_t;

// Degrees of the ecliptic of date, 0 up to below 360, for a Universal Time instant.
double MoonLongitude(DateSerial ut);
SignIndex SignOfLongitude(double longitude);
SignIndex MoonSign(DateSerial ut);
// "13° 59' Стрельца"
std::string MoonPositionText(DateSerial ut);
// The position text of a longitude already computed.
std::string PositionTextOfLongitude(double longitude);
std::string SignGenitive(int sign);
// The symbol-font code of a sign's glyph: 93 + sign.
inline int SignGlyphCode(int sign) {
    return 93 + sign;
}
// 1 warmth, 2 light, 3 cold, 4 water; 0 outside 1..12.
int16_t DayQuality(int sign);
std::string DayQualityText(int sign);
// The Moon rises through the signs from Capricorn to Gemini and falls from
// Cancer to Sagittarius: 1 rising, 2 falling.
int RisingOrFalling(int sign);
std::string RiseText(int sign);

std::string ZeroPad(int32_t value, int16_t width);
bool SameCalendarDay(DateSerial d1, DateSerial d2);
std::string MonthName(int month);

}  // namespace noctiva::core
