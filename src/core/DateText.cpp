#include "core/DateText.h"

#include <cstdio>

namespace noctiva::core {

std::string FormatDateTime(DateSerial d) {
    const CivilTime c = CivilFromSerial(d);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d %02d:%02d:%02d", c.day, c.month, c.year, c.hour,
                  c.minute, c.second);
    return buf;
}

std::string FormatIsoDateTime(DateSerial d) {
    const CivilTime c = CivilFromSerial(d);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d", c.year, c.month, c.day, c.hour,
                  c.minute, c.second);
    return buf;
}

namespace {

bool ReadDigits(const std::string& s, size_t pos, size_t count, int& out) {
    if (pos + count > s.size()) {
        return false;
    }
    out = 0;
    for (size_t i = pos; i < pos + count; ++i) {
        if (s[i] < '0' || s[i] > '9') {
            return false;
        }
        out = out * 10 + (s[i] - '0');
    }
    return true;
}

}  // namespace

std::optional<DateSerial> ParseIsoDateTime(const std::string& s) {
    if (s.size() != 16 && s.size() != 19) {
        return std::nullopt;
    }
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, sec = 0;
    if (!ReadDigits(s, 0, 4, y) || s[4] != '-' || !ReadDigits(s, 5, 2, mo) || s[7] != '-' ||
        !ReadDigits(s, 8, 2, d) || (s[10] != 'T' && s[10] != ' ') || !ReadDigits(s, 11, 2, h) ||
        s[13] != ':' || !ReadDigits(s, 14, 2, mi)) {
        return std::nullopt;
    }
    if (s.size() == 19 && (s[16] != ':' || !ReadDigits(s, 17, 2, sec))) {
        return std::nullopt;
    }
    if (y < 100 || mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo) || h > 23 || mi > 59 ||
        sec > 59) {
        return std::nullopt;
    }
    return SerialFromCivil(y, mo, d, h, mi, sec);
}

}  // namespace noctiva::core
