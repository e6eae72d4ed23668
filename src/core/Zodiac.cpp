#include "core/Zodiac.h"

#include <cmath>

namespace noctiva::core {

namespace {

constexpr double kPi = 3.1415926535;  // the series' own value of pi

double SinDeg(double a) {
    return std::sin(a * kPi / 180);
}

double Turns(double a) {
    double r = std::fmod(a, 360.0);
    if (r < 0) {
        r += 360;
    }
    return r;
}

struct SignRow {
    const char* genitive;
    int16_t quality;
};

constexpr SignRow kSigns[12] = {
    {"Овна", 1},  {"Тельца", 3},    {"Близнецов", 2}, {"Рака", 4},     {"Льва", 1},    {"Девы", 3},
    {"Весов", 2}, {"Скорпиона", 4}, {"Стрельца", 1},  {"Козерога", 3}, {"Водолея", 2}, {"Рыб", 4},
};

constexpr const char* kQualityWords[5] = {"", "тепла", "света", "холода", "воды"};

constexpr const char* kMonths[12] = {"Январь",   "Февраль", "Март",   "Апрель",
                                     "Май",      "Июнь",    "Июль",   "Август",
                                     "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};

}  // namespace

double MoonLongitude(DateSerial ut) {
    const CivilTime c = CivilFromSerial(ut);
    const double day = c.day + (c.hour + c.minute / 60.0) / 24;
    int y = c.year;
    int m = c.month;
    if (m <= 2) {
        y -= 1;
        m += 12;
    }
    const double A = std::floor(y / 100.0);
    const double B = 2 - A + std::floor(A / 4);
    const double x = std::floor(365.25 * y) + std::floor(30.6001 * (m + 1)) + day + B - 679005.5;
    const double T = (x - 15020) / 36525;
    const double T2 = std::pow(T, 2);

    const double D = Turns(350.737486 + 445267.114217 * T - 0.001436 * T2);
    const double Mp = Turns(296.104608 + 477198.849108 * T + 0.009192 * T2);
    const double F = Turns(11.2509 + 483202.02522 * T - 0.00321 * T2);
    const double Lp = Turns(270.4341639 + 481267.8831417 * T - 0.001133 * T2);
    const double M = Turns(358.475833 + 35999.04975 * T - 0.00015 * T2);

    const double lambda = Lp + 6.289 * SinDeg(Mp) - 1.274 * SinDeg(Mp - 2 * D) +
                          0.658 * SinDeg(2 * D) + 0.214 * SinDeg(2 * Mp) - 0.186 * SinDeg(M) -
                          0.114 * SinDeg(2 * F) - 0.059 * SinDeg(2 * Mp - 2 * D) -
                          0.057 * SinDeg(Mp + M - 2 * D) + 0.053 * SinDeg(Mp + 2 * D) -
                          0.046 * SinDeg(M - 2 * D) + 0.041 * SinDeg(Mp - M) - 0.035 * SinDeg(D) -
                          0.030 * SinDeg(Mp + M);
    return Turns(lambda);
}

SignIndex SignOfLongitude(double longitude) {
    SignIndex s = 1;
    for (int k = 1; k < 12; ++k) {
        if (longitude >= 30.0 * k) {
            s = static_cast<SignIndex>(k + 1);
        }
    }
    return s;
}

SignIndex MoonSign(DateSerial ut) {
    return SignOfLongitude(MoonLongitude(ut));
}

std::string PositionTextOfLongitude(double longitude) {
    const SignIndex s = SignOfLongitude(longitude);
    const double x = longitude - (s - 1) * 30.0;
    const int deg = static_cast<int>(std::trunc(x));
    const int min = static_cast<int>(std::floor((x - deg) * 60));
    return std::to_string(deg) + "° " + std::to_string(min) + "' " + SignGenitive(s);
}

std::string MoonPositionText(DateSerial ut) {
    return PositionTextOfLongitude(MoonLongitude(ut));
}

std::string SignGenitive(int sign) {
    return sign >= 1 && sign <= 12 ? kSigns[sign - 1].genitive : "";
}

int16_t DayQuality(int sign) {
    return sign >= 1 && sign <= 12 ? kSigns[sign - 1].quality : 0;
}

std::string DayQualityText(int sign) {
    return std::string("День ") + kQualityWords[DayQuality(sign)];
}

int RisingOrFalling(int sign) {
    return sign >= 4 && sign <= 9 ? 2 : 1;
}

std::string RiseText(int sign) {
    return RisingOrFalling(sign) == 2 ? "Нисходящая" : "Восходящая";
}

std::string ZeroPad(int32_t value, int16_t width) {
    if (width <= 0) {
        return "";
    }
    const std::string s = std::string(static_cast<size_t>(width), '0') + std::to_string(value);
    return s.substr(s.size() - static_cast<size_t>(width));
}

bool SameCalendarDay(DateSerial d1, DateSerial d2) {
    const CivilTime a = CivilFromSerial(d1);
    const CivilTime b = CivilFromSerial(d2);
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

std::string MonthName(int month) {
    return month >= 1 && month <= 12 ? kMonths[month - 1] : "";
}

}  // namespace noctiva::core
