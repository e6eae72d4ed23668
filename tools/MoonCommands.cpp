#include "MoonCommands.h"

#include <ctime>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>

#include "core/DateText.h"
#include "core/Report.h"

namespace noctiva::tools {

namespace core = noctiva::core;

namespace {

constexpr const char* kUsage =
    "usage: noctiva-moon [--json] [--utc-offset MINUTES] report [--at YYYY-MM-DDTHH:MM[:SS]]\n"
    "       noctiva-moon [--json] [--utc-offset MINUTES] month --year Y --month M\n"
    "       noctiva-moon [--json] [--utc-offset MINUTES] search --from YYYY-MM-DDTHH:MM[:SS]\n"
    "                    --mode 0..3 [--lunar-day N] [--sign N] [--last-lunar-day N]\n";

struct BadInput : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Options {
    std::string command;
    bool json = false;
    std::optional<int> utcOffset;
    std::map<std::string, std::string> values;  // command options by name
};

const std::map<std::string, std::vector<std::string>>& CommandOptions() {
    static const std::map<std::string, std::vector<std::string>> options = {
        {"report", {"--at"}},
        {"month", {"--year", "--month"}},
        {"search", {"--from", "--mode", "--lunar-day", "--sign", "--last-lunar-day"}},
    };
    return options;
}

long ParseInteger(const std::string& option, const std::string& text) {
    size_t used = 0;
    long v = 0;
    try {
        v = std::stol(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size()) {
        throw BadInput("option " + option + " needs a whole number, got '" + text + "'");
    }
    return v;
}

Options ParseArgs(const std::vector<std::string>& args) {
    Options o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= args.size()) {
                throw BadInput("option " + a + " needs a value");
            }
            return args[++i];
        };
        if (a == "--json") {
            o.json = true;
        } else if (a == "--utc-offset") {
            const long m = ParseInteger(a, value());
            if (m < -24 * 60 || m > 24 * 60) {
                throw BadInput("--utc-offset must lie between -1440 and 1440 minutes");
            }
            o.utcOffset = static_cast<int>(m);
        } else if (a == "-h" || a == "--help") {
            o.command = "help";
        } else if (a.rfind("--", 0) == 0) {
            if (o.command.empty()) {
                throw BadInput("unknown option " + a + " (the command comes first)");
            }
            const auto& allowed = CommandOptions().at(o.command);
            if (std::find(allowed.begin(), allowed.end(), a) == allowed.end()) {
                throw BadInput("unknown option " + a + " for the command " + o.command);
            }
            if (o.values.count(a) != 0) {
                throw BadInput("option " + a + " given twice");
            }
            o.values[a] = value();
        } else if (o.command.empty()) {
            if (CommandOptions().count(a) == 0) {
                throw BadInput("unknown command '" + a + "' (report, month or search)");
            }
            o.command = a;
        } else {
            throw BadInput("unexpected argument '" + a + "'");
        }
    }
    if (o.command.empty()) {
        throw BadInput("no command given (report, month or search)");
    }
    return o;
}

// The first and the last instant the window can show.
constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2100;

core::DateSerial ParseInstant(const std::string& option, const std::string& text) {
    const auto d = core::ParseIsoDateTime(text);
    if (!d) {
        throw BadInput("option " + option + " needs a date as YYYY-MM-DDTHH:MM[:SS], got '" + text +
                       "'");
    }
    const core::CivilTime c = core::CivilFromSerial(*d);
    if (c.year < kFirstYear || c.year > kLastYear) {
        throw BadInput("the date " + text + " lies outside 1900-01-01 to 2100-12-31");
    }
    return *d;
}

long RequiredInteger(const Options& o, const std::string& option, long lo, long hi) {
    const auto it = o.values.find(option);
    if (it == o.values.end()) {
        throw BadInput("the command " + o.command + " needs " + option);
    }
    const long v = ParseInteger(option, it->second);
    if (v < lo || v > hi) {
        throw BadInput("option " + option + " must lie between " + std::to_string(lo) + " and " +
                       std::to_string(hi) + ", got " + it->second);
    }
    return v;
}

long OptionalInteger(const Options& o, const std::string& option, long lo, long hi, long def) {
    if (o.values.count(option) == 0) {
        return def;
    }
    return RequiredInteger(o, option, lo, hi);
}

core::DateSerial NowLocal(const core::ZoneSource& zone) {
    return core::UTToLocal(core::NowUniversal(), zone);
}

std::string WaxWaneWord(int code) {
    switch (code) {
        case 2:
            return "растущая";
        case 4:
            return "убывающая";
        default:
            return "нет данных";
    }
}

// The lines of a CR LF text joined by another separator.
std::string JoinLines(const std::string& crlf, const std::string& separator) {
    std::string s;
    for (size_t i = 0; i < crlf.size(); ++i) {
        if (crlf.compare(i, 2, "\r\n") == 0) {
            s += separator;
            ++i;
        } else {
            s += crlf[i];
        }
    }
    return s;
}

void PrintReport(const core::DayReport& r, bool json, std::ostream& out) {
    if (json) {
        nlohmann::ordered_json j;
        j["at"] = core::FormatIsoDateTime(r.local);
        j["lunar_day"] = r.lunarDay;
        j["age"] = r.age;
        j["phase_angle"] = r.phaseAngle;
        j["illumination"] = r.illumination;
        j["visibility_text"] = r.visibilityText;
        j["wax_wane"] = r.waxWane;
        j["phase_class"] = r.phaseClass;
        j["phase_text"] = JoinLines(r.phaseText, "\n");
        j["prev_new_moon"] = core::FormatIsoDateTime(r.prevNewMoon);
        j["next_new_moon"] = core::FormatIsoDateTime(r.nextNewMoon);
        j["prev_full_moon"] = core::FormatIsoDateTime(r.prevFullMoon);
        j["next_full_moon"] = core::FormatIsoDateTime(r.nextFullMoon);
        j["longitude"] = r.longitude;
        j["sign"] = r.sign;
        j["position_text"] = r.positionText;
        j["quality_text"] = r.qualityText;
        j["rise_text"] = r.riseText;
        j["pages"] = r.pages;
        out << j.dump(2) << "\n";
        return;
    }
    char age[32];
    std::snprintf(age, sizeof age, "%.4f", r.age);
    char angle[32];
    std::snprintf(angle, sizeof angle, "%.2f", static_cast<double>(r.phaseAngle));
    out << "Луна на " << core::FormatDateTime(r.local) << "\n"
        << "Лунный день:           " << r.lunarDay << "\n"
        << "Возраст Луны:          " << age << " сут.\n"
        << "Фазовый угол:          " << angle << "°\n"
        << r.visibilityText << "\n"
        << "Луна:                  " << WaxWaneWord(r.waxWane) << "\n"
        << "Фаза дня:              " << JoinLines(r.phaseText, ", ") << "\n"
        << "Предыдущее новолуние:  " << core::FormatDateTime(r.prevNewMoon) << "\n"
        << "Следующее новолуние:   " << core::FormatDateTime(r.nextNewMoon) << "\n"
        << "Предыдущее полнолуние: " << core::FormatDateTime(r.prevFullMoon) << "\n"
        << "Следующее полнолуние:  " << core::FormatDateTime(r.nextFullMoon) << "\n"
        << "Положение Луны:        " << r.positionText << "\n"
        << "Луна " << (r.vn == 1 ? "восходящая" : "нисходящая") << ", " << r.qualityText << "\n";
}

void PrintMonth(int year, int month, const core::MonthGrid& g, bool json, std::ostream& out) {
    if (json) {
        nlohmann::ordered_json j;
        j["first_day_cell"] = g.firstDayCell;
        nlohmann::ordered_json cells = nlohmann::ordered_json::array();
        for (const core::MonthCell& c : g.cells) {
            nlohmann::ordered_json cell;
            cell["day"] = c.day;
            cell["moon_days"] = c.MoonDaysText();
            cell["signs"] = c.Signs();
            cells.push_back(cell);
        }
        j["cells"] = cells;
        out << j.dump(2) << "\n";
        return;
    }
    static const char* kSignNames[12] = {"Овен",    "Телец",   "Близнецы", "Рак",
                                         "Лев",     "Дева",    "Весы",     "Скорпион",
                                         "Стрелец", "Козерог", "Водолей",  "Рыбы"};
    out << core::MonthName(month) << " " << year << "\n";
    out << "Число  Лунный день  Знак Луны\n";
    for (const core::MonthCell& c : g.cells) {
        if (c.day == 0) {
            continue;
        }
        std::string signs;
        for (int s : c.Signs()) {
            signs += (signs.empty() ? "" : " → ") + std::string(kSignNames[s - 1]);
        }
        char line[64];
        std::snprintf(line, sizeof line, "%5d  %-11s  ", c.day, c.MoonDaysText().c_str());
        out << line << signs << "\n";
    }
}

int Run(const Options& o, std::ostream& out) {
    std::unique_ptr<core::FixedZone> fixed;
    if (o.utcOffset) {
        fixed = std::make_unique<core::FixedZone>(core::FixedZone::EastOfGreenwich(*o.utcOffset));
    }
    const core::ZoneSource& zone = fixed ? *fixed : core::TheSystemZone();

    if (o.command == "report") {
        const auto at = o.values.find("--at");
        const core::DateSerial local =
            at != o.values.end() ? ParseInstant("--at", at->second) : NowLocal(zone);
        PrintReport(core::ComputeDayReport(local, zone), o.json, out);
    } else if (o.command == "month") {
        const int year = static_cast<int>(RequiredInteger(o, "--year", kFirstYear, kLastYear));
        const int month = static_cast<int>(RequiredInteger(o, "--month", 1, 12));
        PrintMonth(year, month, core::ComputeMonthGrid(year, month, zone), o.json, out);
    } else {
        const auto from = o.values.find("--from");
        if (from == o.values.end()) {
            throw BadInput("the command search needs --from");
        }
        const core::DateSerial start = ParseInstant("--from", from->second);
        const int mode = static_cast<int>(RequiredInteger(o, "--mode", 0, 3));
        const int md1 = static_cast<int>(OptionalInteger(o, "--lunar-day", 0, 31, 1));
        const int z1 = static_cast<int>(OptionalInteger(o, "--sign", 1, 12, 1));
        const int md2 = static_cast<int>(OptionalInteger(o, "--last-lunar-day", 0, 31, 1));
        const std::vector<core::DateSerial> dates =
            core::FindDates(start, mode, md1, z1, md2, zone);
        if (o.json) {
            nlohmann::ordered_json j;
            std::vector<std::string> texts;
            texts.reserve(dates.size());
            for (core::DateSerial d : dates) {
                texts.push_back(core::FormatIsoDateTime(d));
            }
            j["dates"] = texts;
            out << j.dump(2) << "\n";
        } else {
            for (core::DateSerial d : dates) {
                out << core::FormatDateTime(d) << "\n";
            }
            out << "Найдено дат: " << dates.size() << "\n";
        }
    }
    return 0;
}

}  // namespace

int RunMoonTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        const Options o = ParseArgs(args);
        if (o.command == "help") {
            out << kUsage;
            return 0;
        }
        return Run(o, out);
    } catch (const BadInput& e) {
        err << "noctiva-moon: " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        err << "noctiva-moon: " << e.what() << "\n";
        return 1;
    }
}

}  // namespace noctiva::tools
