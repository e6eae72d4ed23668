#include <gtest/gtest.h>

#include "TestUtil.h"
#include "core/DateText.h"
#include "core/Phases.h"

namespace noctiva::core {
namespace {

TEST(PhaseInstant, PrincipalPhasesToTheSecond) {
    struct Case {
        Lunation lunation;
        Quarter quarter;
        JulianDay jd;
        const char* text;  // Universal Time
    };
    const Case cases[] = {
        {953, 0, 2451550.260248, "06.01.2000 18:14:45"},
        {953, 1, 2451558.066076, "14.01.2000 13:35:09"},
        {953, 2, 2451564.695456, "21.01.2000 04:41:27"},
        {953, 3, 2451571.831831, "28.01.2000 07:57:50"},
        {0, 0, 2423407.013994, "18.12.1922 12:20:09"},
        {1, 0, 2423436.611983, "17.01.1923 02:41:15"},
        {1065, 0, 2454857.830808, "26.01.2009 07:56:22"},
        {1065, 2, 2454872.118181, "09.02.2009 14:50:11"},
    };
    for (const Case& c : cases) {
        const JulianDay jd = PhaseInstant(c.lunation, c.quarter);
        EXPECT_NEAR(jd, c.jd, 6e-7) << c.lunation << "/" << c.quarter;
        EXPECT_EQ(FormatDateTime(JulianDayToSerial(jd)), c.text) << c.lunation << "/" << c.quarter;
    }
}

TEST(PhaseInstant, PhasesFollowEachOtherAcrossTheWholeRange) {
    // Lunations of the date range: every phase comes after the one before it,
    // a quarter of a month apart give or take the eccentricity of the orbit.
    JulianDay previous = PhaseInstant(-22550, 0);
    for (Lunation l = -22550; l < 99900; l += 37) {
        for (Quarter q = 0; q < 4; ++q) {
            const JulianDay jd = PhaseInstant(l, q);
            if (l != -22550 || q != 0) {
                EXPECT_GT(jd, previous) << l << "/" << q;
            }
            previous = jd;
        }
        const double month = PhaseInstant(l + 1, 0) - PhaseInstant(l, 0);
        EXPECT_GT(month, 29.2) << l;
        EXPECT_LT(month, 29.9) << l;
        previous = PhaseInstant(l, 3);
    }
}

}  // namespace
}  // namespace noctiva::core
