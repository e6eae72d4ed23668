#include "core/Phases.h"

#include <cmath>

namespace noctiva::core {

namespace {

// One periodic term: coefficient, the power of E it carries, and the
// multiples of M, M', F and Omega in its sine argument.
struct Term {
    double coefficient;
    int ePower;
    int m, mp, f, om;
};

// New moon: corrections in days.
constexpr Term kNewMoon[] = {
    {-0.40720, 0, 0, 1, 0, 0},  {+0.17241, 1, 1, 0, 0, 0},   {+0.01608, 0, 0, 2, 0, 0},
    {+0.01039, 0, 0, 0, 2, 0},  {+0.00739, 1, -1, 1, 0, 0},  {-0.00514, 1, 1, 1, 0, 0},
    {+0.00208, 2, 2, 0, 0, 0},  {-0.00111, 0, 0, 1, -2, 0},  {-0.00057, 0, 0, 1, 2, 0},
    {+0.00056, 1, 1, 2, 0, 0},  {-0.00042, 0, 0, 3, 0, 0},   {+0.00042, 1, 1, 0, 2, 0},
    {+0.00038, 1, 1, 0, -2, 0}, {-0.00024, 1, -1, 2, 0, 0},  {-0.00017, 0, 0, 0, 0, 1},
    {-0.00007, 0, 2, 1, 0, 0},  {+0.00004, 0, 0, 2, -2, 0},  {+0.00004, 0, 3, 0, 0, 0},
    {+0.00003, 0, 1, 1, -2, 0}, {+0.00003, 0, 0, 2, 2, 0},   {-0.00003, 0, 1, 1, 2, 0},
    {+0.00003, 0, -1, 1, 2, 0}, {-0.00002, 0, -1, 1, -2, 0}, {-0.00002, 0, 1, 3, 0, 0},
    {+0.00002, 0, 0, 4, 0, 0},
};

// Full moon.
constexpr Term kFullMoon[] = {
    {-0.40614, 0, 0, 1, 0, 0},  {+0.17302, 1, 1, 0, 0, 0},   {+0.01614, 0, 0, 2, 0, 0},
    {+0.01043, 0, 0, 0, 2, 0},  {+0.00734, 1, -1, 1, 0, 0},  {-0.00515, 1, 1, 1, 0, 0},
    {+0.00209, 2, 2, 0, 0, 0},  {-0.00111, 0, 0, 1, -2, 0},  {-0.00057, 0, 0, 1, 2, 0},
    {+0.00056, 1, 1, 2, 0, 0},  {-0.00042, 0, 0, 3, 0, 0},   {+0.00042, 1, 1, 0, 2, 0},
    {+0.00038, 1, 1, 0, -2, 0}, {-0.00024, 1, -1, 2, 0, 0},  {-0.00017, 0, 0, 0, 0, 1},
    {-0.00007, 0, 2, 1, 0, 0},  {+0.00004, 0, 0, 2, -2, 0},  {+0.00004, 0, 3, 0, 0, 0},
    {+0.00003, 0, 1, 1, -2, 0}, {+0.00003, 0, 0, 2, 2, 0},   {-0.00003, 0, 1, 1, 2, 0},
    {+0.00003, 0, -1, 1, 2, 0}, {-0.00002, 0, -1, 1, -2, 0}, {-0.00002, 0, 1, 3, 0, 0},
    {+0.00002, 0, 0, 4, 0, 0},
};

// First and last quarter.
constexpr Term kQuarter[] = {
    {-0.62801, 0, 0, 1, 0, 0},  {+0.17172, 1, 1, 0, 0, 0},   {-0.01183, 1, 1, 1, 0, 0},
    {+0.00862, 0, 0, 2, 0, 0},  {+0.00804, 0, 0, 0, 2, 0},   {+0.00454, 1, -1, 1, 0, 0},
    {+0.00204, 2, 2, 0, 0, 0},  {-0.00180, 0, 0, 1, -2, 0},  {-0.00070, 0, 0, 1, 2, 0},
    {-0.00040, 0, 0, 3, 0, 0},  {-0.00034, 1, -1, 2, 0, 0},  {+0.00032, 1, 1, 0, 2, 0},
    {+0.00032, 1, 1, 0, -2, 0}, {-0.00028, 2, 2, 1, 0, 0},   {+0.00027, 1, 1, 2, 0, 0},
    {-0.00017, 0, 0, 0, 0, 1},  {-0.00005, 0, -1, 1, -2, 0}, {+0.00004, 0, 0, 2, 2, 0},
    {-0.00004, 0, 1, 1, 2, 0},  {+0.00004, 0, -2, 1, 0, 0},  {+0.00003, 0, 1, 1, -2, 0},
    {+0.00003, 0, 3, 0, 0, 0},  {+0.00002, 0, 0, 2, -2, 0},  {+0.00002, 0, -1, 1, 2, 0},
    {-0.00002, 0, 1, 3, 0, 0},
};

// Planetary arguments: constant, rate per lunation, T² coefficient; and the
// amplitude of their sine terms.
struct Planetary {
    double a0, ak, at2, amplitude;
};

constexpr Planetary kPlanetary[] = {
    {299.77, 0.107408, -0.009173, 0.000325}, {251.88, 0.016321, 0, 0.000165},
    {251.83, 26.651886, 0, 0.000164},        {349.42, 36.412478, 0, 0.000126},
    {84.66, 18.206239, 0, 0.000110},         {141.74, 53.303771, 0, 0.000062},
    {207.14, 2.453732, 0, 0.000060},         {154.84, 7.306860, 0, 0.000056},
    {34.52, 27.261239, 0, 0.000047},         {207.19, 0.121824, 0, 0.000042},
    {291.34, 1.844379, 0, 0.000040},         {161.72, 24.198154, 0, 0.000037},
    {239.56, 25.513099, 0, 0.000035},        {331.55, 3.592518, 0, 0.000023},
};

template <size_t N>
double SumTerms(const Term (&terms)[N], double e, double m, double mp, double f, double om) {
    double sum = 0;
    for (const Term& t : terms) {
        double c = t.coefficient;
        if (t.ePower == 1) {
            c *= e;
        } else if (t.ePower == 2) {
            c *= e * e;
        }
        sum += c * std::sin(t.m * m + t.mp * mp + t.f * f + t.om * om);
    }
    return sum;
}

}  // namespace

JulianDay PhaseInstant(Lunation lunation, Quarter quarter) {
    const double k = static_cast<double>(lunation - 953) + quarter / 4.0;
    const double T = k / 1236.85;
    const double T2 = T * T;
    const double T3 = T2 * T;
    const double T4 = T3 * T;

    double jde =
        2451550.09765 + 29.530588853 * k + 0.0001337 * T2 - 0.00000015 * T3 + 0.00000000073 * T4;
    const double E = 1 - 0.002516 * T - 0.0000074 * T2;
    const double M = AngleToRadians(2.5534 + 29.10535669 * k - 0.0000218 * T2 - 0.00000011 * T3);
    const double Mp = AngleToRadians(201.5643 + 385.81693528 * k + 0.0107438 * T2 +
                                     0.00001239 * T3 - 0.000000058 * T4);
    const double F = AngleToRadians(160.7108 + 390.67050274 * k - 0.0016341 * T2 - 0.00000227 * T3 +
                                    0.000000011 * T4);
    const double Om = AngleToRadians(124.7746 - 1.5637558 * k + 0.0020691 * T2 + 0.00000215 * T3);

    switch (quarter) {
        case 0:
            jde += SumTerms(kNewMoon, E, M, Mp, F, Om);
            break;
        case 2:
            jde += SumTerms(kFullMoon, E, M, Mp, F, Om);
            break;
        default: {
            jde += SumTerms(kQuarter, E, M, Mp, F, Om);
            const double W = 0.00306 - 0.00038 * E * std::cos(M) + 0.00026 * std::cos(Mp) -
                             0.00002 * std::cos(Mp - M) + 0.00002 * std::cos(Mp + M) +
                             0.00002 * std::cos(2 * F);
            jde += quarter == 1 ? W : -W;
            break;
        }
    }

    for (const Planetary& p : kPlanetary) {
        jde += p.amplitude * std::sin(AngleToRadians(p.a0 + p.ak * k + p.at2 * T2));
    }
    return jde;
}

}  // namespace noctiva::core
