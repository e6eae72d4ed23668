#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "MoonCommands.h"

namespace noctiva::tools {
namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result RunTool(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunMoonTool(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(MoonTool, ReportAsJson) {
    const Result r = RunTool({"--json", "--utc-offset", "180", "report", "--at", "2009-06-07T22:00"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["lunar_day"], 15);
    EXPECT_NEAR(j["age"].get<double>(), 14.283253, 1e-6);
    EXPECT_EQ(j["visibility_text"], "Видимость Луны: 100 %");
    EXPECT_EQ(j["wax_wane"], 4);
    EXPECT_EQ(j["phase_class"], 3);
    EXPECT_EQ(j["phase_text"], "Полнолуние\n07.06.2009 21:12:55");
    EXPECT_EQ(j["prev_full_moon"], "2009-06-07T21:12:55");
    EXPECT_EQ(j["next_full_moon"], "2009-07-07T12:22:33");
    EXPECT_EQ(j["sign"], 9);
    EXPECT_EQ(j["rise_text"], "Нисходящая");
    EXPECT_EQ(j["quality_text"], "День тепла");
    EXPECT_EQ(j["pages"], nlohmann::json({"md_15.htm", "z_09.htm", "f_03.htm", "q_01.htm",
                                          "vn_02.htm"}));
    for (const char* key : {"phase_angle", "illumination", "prev_new_moon", "next_new_moon",
                            "longitude", "position_text"}) {
        EXPECT_TRUE(j.contains(key)) << key;
    }
}

TEST(MoonTool, MonthAsJson) {
    const Result r = RunTool({"month", "--year", "2009", "--month", "12", "--json", "--utc-offset",
                          "180"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["first_day_cell"], 1);
    ASSERT_EQ(j["cells"].size(), 42u);
    EXPECT_EQ(j["cells"][0], nlohmann::json({{"day", 0}, {"moon_days", ""}, {"signs", nlohmann::json::array()}}));
    EXPECT_EQ(j["cells"][1]["day"], 1);
    EXPECT_EQ(j["cells"][31]["day"], 31);
    EXPECT_EQ(j["cells"][32]["day"], 0);
}

TEST(MoonTool, SearchAsJsonAndText) {
    const Result r = RunTool({"--utc-offset", "180", "--json", "search", "--from", "2100-11-01T18:30",
                          "--mode", "0", "--lunar-day", "12"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["dates"].size(), 2u);
    EXPECT_EQ(j["dates"][0].get<std::string>().substr(10), "T18:30:00");
    const Result text = RunTool({"--utc-offset", "180", "search", "--from", "2100-11-01T18:30",
                             "--mode", "0", "--lunar-day", "12"});
    EXPECT_NE(text.out.find("Найдено дат: 2"), std::string::npos);
}

TEST(MoonTool, BadInputIsOneLineAndStatus2) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"phase"},
        {"report", "--at", "2009-02-30T10:00"},
        {"report", "--at", "yesterday"},
        {"report", "--at", "1899-12-31T10:00"},
        {"report", "--at", "2101-01-01T00:00"},
        {"report", "--at"},
        {"report", "--year", "2009"},
        {"--utc-offset", "east", "report"},
        {"--utc-offset", "5000", "report"},
        {"month", "--year", "2009"},
        {"month", "--year", "1899", "--month", "1"},
        {"month", "--year", "2009", "--month", "13"},
        {"month", "--year", "20x9", "--month", "1"},
        {"search", "--mode", "1"},
        {"search", "--from", "2009-12-01T18:30", "--mode", "4"},
        {"search", "--from", "2009-12-01T18:30", "--mode", "1", "--sign", "13"},
        {"search", "--from", "2009-12-01T18:30", "--mode", "1", "--sign", "0"},
        {"search", "--from", "2009-12-01T18:30", "--mode", "0", "--lunar-day", "32"},
        {"search", "--from", "2009-12-01T18:30", "--mode", "1", "--mode", "2"},
        {"report", "extra"},
    };
    for (const auto& args : cases) {
        std::string joined;
        for (const auto& a : args) {
            joined += a + " ";
        }
        const Result r = RunTool(args);
        EXPECT_EQ(r.status, 2) << joined;
        EXPECT_TRUE(r.out.empty()) << joined;
        ASSERT_FALSE(r.err.empty()) << joined;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << joined << ": " << r.err;
    }
}

}  // namespace
}  // namespace noctiva::tools
