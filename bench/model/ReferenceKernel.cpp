#include "bench/model/ReferenceKernel.h"

#include <cstdint>
#include <cstring>

namespace dsp::bench {

namespace {

#if defined(__AVX512F__)
constexpr int kLanes = 8;
constexpr const char* kInstructionSet = "AVX-512";
#elif defined(__AVX2__) && defined(__FMA__)
constexpr int kLanes = 4;
constexpr const char* kInstructionSet = "AVX2";
#elif defined(__AVX__)
constexpr int kLanes = 4;
constexpr const char* kInstructionSet = "AVX";
#else
constexpr int kLanes = 2;
constexpr const char* kInstructionSet = "128-bit";
#endif

using Vd = double __attribute__((vector_size(kLanes * sizeof(double))));
using Vi = std::int64_t __attribute__((vector_size(kLanes * sizeof(double))));
using Vu = std::uint64_t __attribute__((vector_size(kLanes * sizeof(double))));

constexpr double kLn2 = 0.69314718055994530942;
constexpr double kSqrt2 = 1.41421356237309504880;
constexpr double kPi = 3.14159265358979323846;
constexpr double kTanPiOver8 = 0.41421356237309504880;
constexpr double kTan3PiOver8 = 2.41421356237309504880;
constexpr double kDbPerNeper = 4.34294481903251827651;  // 10 / ln 10
constexpr double kPhaseUnitsPerRadian = 18.0 / kPi;

Vd Load(const double* p) {
    Vd v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

void Store(double* p, Vd v) { std::memcpy(p, &v, sizeof v); }

Vd Splat(double x) { return Vd{} + x; }

// An int64 vector of small magnitude (below 2^51) as doubles, without a 64-bit conversion
// instruction: add it into the mantissa of 1.5 * 2^52 and subtract that again.
Vd ToDouble(Vi e) {
    constexpr double kMagic = 6755399441055744.0;  // 1.5 * 2^52
    const Vi magicBits = Vi{} + static_cast<std::int64_t>(0x4338000000000000);
    return reinterpret_cast<Vd>(e + magicBits) - kMagic;
}

// ln(num / den) for positive normal num and den with one division: the exponents are taken
// apart, the mantissas brought within a factor of sqrt 2 of each other, and
// ln(m) = 2 atanh(z) with z = (mn - md) / (mn + md), |z| <= 0.1716, by its series.
Vd LogRatio(Vd num, Vd den) {
    const Vu mantissa = Vu{} + 0x000FFFFFFFFFFFFFull;
    const Vu one = Vu{} + 0x3FF0000000000000ull;
    const Vu nb = reinterpret_cast<Vu>(num);
    const Vu db = reinterpret_cast<Vu>(den);
    Vd mn = reinterpret_cast<Vd>((nb & mantissa) | one);
    Vd md = reinterpret_cast<Vd>((db & mantissa) | one);
    Vd e = ToDouble(reinterpret_cast<Vi>(nb >> 52) - reinterpret_cast<Vi>(db >> 52));
    const Vi high = mn > md * kSqrt2;
    md = high ? md * 2.0 : md;
    e = high ? e + 1.0 : e;
    const Vi low = mn * kSqrt2 < md;
    mn = low ? mn * 2.0 : mn;
    e = low ? e - 1.0 : e;
    const Vd z = (mn - md) / (mn + md);
    const Vd z2 = z * z;
    // 2 (z + z^3/3 + ... + z^15/15): the next term is below 2e-14 of the result.
    Vd p = Splat(2.0 / 15);
    p = p * z2 + 2.0 / 13;
    p = p * z2 + 2.0 / 11;
    p = p * z2 + 2.0 / 9;
    p = p * z2 + 2.0 / 7;
    p = p * z2 + 2.0 / 5;
    p = p * z2 + 2.0 / 3;
    return e * kLn2 + (2.0 * z + z * z2 * p);
}

// atan(num / den) with one division: the point (|den|, |num|) is turned by 0, 45 or 90 degrees
// so that the tangent left is at most tan(22.5 degrees), then the series of atan.
Vd AtanRatio(Vd num, Vd den) {
    const Vu signMask = Vu{} + 0x8000000000000000ull;
    const Vu sign = (reinterpret_cast<Vu>(num) ^ reinterpret_cast<Vu>(den)) & signMask;
    const Vd p = reinterpret_cast<Vd>(reinterpret_cast<Vu>(num) & ~signMask);
    const Vd q = reinterpret_cast<Vd>(reinterpret_cast<Vu>(den) & ~signMask);
    const Vi steep = p > q * kTan3PiOver8;
    const Vi middle = (p > q * kTanPiOver8) & ~steep;
    const Vd top = steep ? -q : (middle ? p - q : p);
    const Vd bottom = steep ? p : (middle ? p + q : q);
    const Vd base = steep ? Splat(kPi / 2) : (middle ? Splat(kPi / 4) : Splat(0.0));
    const Vd t = top / bottom;
    const Vd t2 = t * t;
    // t - t^3/3 + ... - t^27/27: the next term is below 3e-13.
    Vd s = Splat(-1.0 / 27);
    for (int k = 12; k >= 1; --k) {
        s = s * t2 + ((k % 2 == 0) ? 1.0 : -1.0) / (2 * k + 1);
    }
    const Vd angle = base + (t + t * t2 * s);
    return reinterpret_cast<Vd>(reinterpret_cast<Vu>(angle) | sign);
}

struct Terms {
    Vd br, bi, ar, ai;
};

Terms Evaluate(const double* c, const double* cos1, const double* sin1, const double* cos2,
               const double* sin2, int i) {
    const Vd c1 = Load(cos1 + i);
    const Vd s1 = Load(sin1 + i);
    const Vd c2 = Load(cos2 + i);
    const Vd s2 = Load(sin2 + i);
    return {c[0] + c[1] * c1 + c[2] * c2, c[1] * s1 + c[2] * s2, 1.0 + c[3] * c1 + c[4] * c2,
            c[3] * s1 + c[4] * s2};
}

}  // namespace

const char* ReferenceInstructionSet() { return kInstructionSet; }

void ReferenceMagnitudeDb(const double* coefficients, const double* cos1, const double* sin1,
                          const double* cos2, const double* sin2, int count, double* out) {
    for (int i = 0; i < count; i += kLanes) {
        const Terms t = Evaluate(coefficients, cos1, sin1, cos2, sin2, i);
        const Vd num = t.br * t.br + t.bi * t.bi;
        const Vd den = t.ar * t.ar + t.ai * t.ai;
        Store(out + i, kDbPerNeper * LogRatio(num, den));
    }
}

void ReferencePhase(const double* coefficients, const double* cos1, const double* sin1,
                    const double* cos2, const double* sin2, const double* freqHz, int fold,
                    double centreHz, int count, double* out) {
    for (int i = 0; i < count; i += kLanes) {
        const Terms t = Evaluate(coefficients, cos1, sin1, cos2, sin2, i);
        const Vd num = t.bi * t.ar - t.br * t.ai;
        const Vd den = t.br * t.ar + t.bi * t.ai;
        Vd v = kPhaseUnitsPerRadian * AtanRatio(num, den);
        if (fold == 1) v = v < 0.0 ? v + 18.0 : v;
        if (fold >= 2) v = v > 0.0 ? v - 18.0 : v;
        if (fold == 3) v = Load(freqHz + i) > centreHz ? v + 18.0 : v;
        Store(out + i, v);
    }
}

}  // namespace dsp::bench
