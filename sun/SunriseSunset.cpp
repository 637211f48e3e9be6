// The Sun's position from the low-precision series of van Flandern and Pulkkinen; rise and set from
// an hour-by-hour search with three-point interpolation. The working quantities keep the short
// names of the published BASIC program (A5, D5, M8, ...), whose results these must match to the
// minute, so that each line can be set beside it.

#include "sun/SunriseSunset.h"

#include "platform/DateTime.h"
#include "platform/Location.h"

#include <cmath>

uint32_t gSunriseTime = 0;
uint32_t gSunsetTime = 0;

namespace {

double fractionOf(double x)
{
    return x - std::trunc(x);
}

double SGN(double x)
{
    if (x < 0)
        return -1.0;
    if (x == 0)
        return 0.0;
    return 1.0;
}

// One day's computation: the program's working quantities, and the two results.
struct SunComputation {
    double P1, P2, DR, K1, B5, L5, H, Z0, Y, M, J, F, T, TT, T0, A5, D5, S, C, Z, Z1;
    double A0, D0, A2, D2, DA, DD, C0, V0, V1, V2, A, B, D, E, T3, H3, M3, M8, W8;
    double G, D1, J3, L, U, V, W, L0, L2, H0, H1, H2, P;
    SunTimes times {0, 0};

    void storeCrossing(uint32_t *result) const
    {
        *result = DateToSeconds(makeDateTimeRec(0, 0, 0, static_cast<int>(H3), static_cast<int>(M3)));
    }

    // The Sun's right ascension A5 and declination D5 at the instant T.
    void s910()
    {
        L = fractionOf(T * 0.00273790931 + 0.779072) * P2;
        G = fractionOf(T * 0.0027377785 + 0.993126) * P2;
        V = 0.39785 * std::sin(L) - 0.01 * std::sin(L - G) + 0.00333 * std::sin(L + G) - 0.00021 * TT * std::sin(L);
        U = 1 - 0.03349 * std::cos(G) - 0.00014 * std::cos(2 * L) + 0.00008 * std::cos(L);
        W = -0.04129 * std::sin(2 * L) - 0.0001 + 0.03211 * std::sin(G) + 0.00104 * std::sin(2 * L - G)
            - 0.00035 * std::sin(2 * L + G) - 0.00008 * TT * std::sin(G);
        S = W / std::sqrt(U - V * V);
        A5 = L + std::atan(S / std::sqrt(1 - S * S));
        S = V / std::sqrt(U);
        D5 = std::atan(S / std::sqrt(1 - S * S));
    }

    // Tests the hour C0 for a crossing of the rise-and-set circle.
    void s490()
    {
        L0 = C0 * K1 + T0;
        L2 = L0 + K1;
        H0 = L0 - A0;
        H2 = L2 - A2;
        H1 = (H0 + H2) * 0.5;
        D1 = (D2 + D0) * 0.5;
        if (!(C0 > 0))
            V0 = S * std::sin(D0) + C * std::cos(D0) * std::cos(H0) - Z;
        V2 = S * std::sin(D2) + C * std::cos(D2) * std::cos(H2) - Z;
        if (SGN(V0) == SGN(V2))
            return;
        V1 = S * std::sin(D1) + C * std::cos(D1) * std::cos(H1) - Z;
        A = 2 * V2 - 4 * V1 + 2 * V0;
        B = 4 * V1 - 3 * V0 - V2;
        D = B * B - 4 * A * V0;
        if (D < 0)
            return;
        D = std::sqrt(D);
        if (V0 < 0 && V2 > 0)
            M8 = 1;
        uint32_t *result = &times.sunrise;
        if (V0 > 0 && V2 < 0) {
            result = &times.sunset;
            W8 = 1;
        }
        if (A == 0) {
            // Three samples on a straight line: the crossing is where that line meets zero. The signs
            // differ, so B (here V2 - V0) is not zero.
            E = -V0 / B;
        } else {
            E = (-B + D) / (2 * A);
            if (E > 1 || E < 0)
                E = (-B - D) / (2 * A);
        }
        T3 = C0 + E;
        H3 = std::trunc(T3);
        M3 = std::trunc((T3 - H3) * 60);
        storeCrossing(result);
    }

    SunTimes run(const DateTimeRec &today, const MachineLocation &location)
    {
        Y = today.year;
        M = today.month;
        const double day = today.day;

        B5 = FracMul(location.latitude, 90);
        L5 = FracMul(location.longitude, 90) / 360.0;
        int32_t offset = location.gmtDelta & 0x00FFFFFF;
        if (offset & 0x00800000)
            offset -= 0x01000000;
        H = -offset / 3600;
        Z0 = H / 24;

        P1 = 3.14159265;
        P2 = 2 * P1;
        DR = P1 / 180;
        K1 = 15 * DR * 1.0027379;

        G = Y >= 1583 ? 1 : 0;
        D1 = std::trunc(day);
        F = day - D1 - 0.5;
        J = -std::trunc((std::trunc((M + 9) / 12) + Y) * 7 * 0.25);
        J3 = 0;
        if (G != 0) {
            S = SGN(M - 9);
            const auto k = static_cast<long>(std::trunc(std::trunc(S * std::trunc(std::fabs(M - 9) / 7) + Y) / 100));
            J3 = -static_cast<double>(3 * (k + 1) / 4);
        }
        J = std::trunc(275 * M / 9) + J + D1 + G * J3 + 1721027 + 2 * G + 367 * Y;
        F = F + 1;
        J = J - 1;

        T = (J - 2451545) + F;
        T0 = T / 36525;
        TT = T0 + 1;
        const double siderealRevolutions = (T0 * 8640184.813 + 24110.5 + Z0 * 86636.6 + L5 * 86400) / 86400;
        S = siderealRevolutions - std::trunc(siderealRevolutions);
        T = T + Z0;
        T0 = S * 360 * DR;

        s910();
        const double A1 = A5, De1 = D5;
        T = T + 1;
        s910();
        double A2Next = A5;
        const double De2 = D5;
        if (A1 > A2Next)
            A2Next = A2Next + P2;

        Z1 = DR * 90.833;
        S = std::sin(DR * B5);
        C = std::cos(DR * B5);
        Z = std::cos(Z1);

        A0 = A1;
        D0 = De1;
        C0 = 0;
        M8 = 0;
        W8 = 0;
        DA = A2Next - A1;
        DD = De2 - De1;
        while (C0 <= 23) {
            P = (C0 + 1) / 24;
            A2 = P * DA + A1;
            D2 = P * DD + De1;
            s490();
            A0 = A2;
            D0 = D2;
            V0 = V2;
            C0 = C0 + 1;
        }
        if (M8 == 0 || W8 == 0)
            times = {SunNeverRisesOrSets, SunNeverRisesOrSets};
        return times;
    }
};

}  // namespace

SunTimes sunTimes(const DateTimeRec &date, const MachineLocation &location)
{
    return SunComputation {}.run(date, location);
}

void SetRiseSetTimes()
{
    DateTimeRec today;
    SecondsToDate(GetDateTime(), &today);
    MachineLocation location;
    ReadLocation(&location);
    const SunTimes times = sunTimes(today, location);
    gSunriseTime = times.sunrise;
    gSunsetTime = times.sunset;
}
