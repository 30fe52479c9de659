#include "tests/model/PlotReference.h"

#include <cmath>
#include <numbers>

namespace dsp::reference {

namespace {

struct Complex {
    double re;
    double im;
};

Complex Add(Complex x, Complex y) { return {x.re + y.re, x.im + y.im}; }
double Magnitude(Complex x) { return std::sqrt(x.re * x.re + x.im * x.im); }

struct Coefficients {
    double b0, b1, b2, a1, a2;
};

// Row by row as the design table reads: a normaliser D and the five raw coefficients.
Coefficients Row(double d, double b0, double b1, double b2, double a1, double a2) {
    return {b0 / d, b1 / d, b2 / d, a1 / d, a2 / d};
}

Coefficients Design(const Section& s) {
    const double K = std::tan(std::numbers::pi * s.freqHz / 96000.0);
    const double K2 = K * K;
    const double Q = s.q;
    const double V = std::pow(10.0, std::fabs(s.gainDb) / 20.0);
    const double rV = std::sqrt(V);
    const double a = s.a;
    const double b = s.b;
    const bool cut = s.gainDb < 0;
    switch (s.kind) {
        case 1:
            if (!cut)
                return Row(K2 + K / Q + 1, K2 + V * K / Q + 1, 2 * (K2 - 1), K2 + 1 - V * K / Q,
                           2 * (K2 - 1), K2 + 1 - K / Q);
            return Row(K2 + V * K / Q + 1, K2 + K / Q + 1, 2 * (K2 - 1), K2 + 1 - K / Q,
                       2 * (K2 - 1), K2 + 1 - V * K / Q);
        case 2:
            if (!cut)
                return Row(K2 + K / Q + 1, V * K2 + rV * K / Q + 1, 2 * (V * K2 - 1),
                           V * K2 + 1 - rV * K / Q, 2 * (K2 - 1), K2 + 1 - K / Q);
            return Row(V * K2 + rV * K / Q + 1, K2 + K / Q + 1, 2 * (K2 - 1), K2 + 1 - K / Q,
                       2 * (V * K2 - 1), V * K2 + 1 - rV * K / Q);
        case 3:
            if (!cut)
                return Row(K2 + K / Q + 1, K2 + rV * K / Q + V, 2 * (K2 - V), K2 + V - rV * K / Q,
                           2 * (K2 - 1), K2 + 1 - K / Q);
            {
                const double d1 = K2 + rV * K / Q + V;
                const double d2 = K2 / V + std::sqrt(1 / V) * K / Q + 1;
                return {(K2 + K / Q + 1) / d1, 2 * (K2 - 1) / d1, (K2 + 1 - K / Q) / d1,
                        2 * (K2 / V - 1) / d2, (K2 / V + 1 - std::sqrt(1 / V) * K / Q) / d2};
            }
        case 4: return Row(K2 + K / Q + 1, 1, -2, 1, 2 * (K2 - 1), K2 + 1 - K / Q);
        case 5: return Row(K2 + K / Q + 1, K2, 2 * K2, K2, 2 * (K2 - 1), K2 + 1 - K / Q);
        case 6: return Row(Q * K2 + K + Q, 2 * K, 0, -2 * K, 2 * Q * (K2 - 1), Q * K2 + Q - K);
        case 7: return {(1 - K) / (1 + K), -1, 0, (K - 1) / (1 + K), 0};
        case 8: return Row(K + 1, K, K, 0, K - 1, 0);
        case 9: return Row(K + 1, -1, 1, 0, K - 1, 0);
        case 11: {
            const double u = K / a;
            return Row(u + 1, u, u, 0, u - 1, 0);
        }
        case 12: return Row(K2 + a * K + 1, K2, 2 * K2, K2, 2 * (K2 - 1), K2 + 1 - a * K);
        case 13:
            return Row(K2 / b + (a / b) * K + 1, K2 / b, 2 * K2 / b, K2 / b, 2 * (K2 / b - 1),
                       K2 / b + 1 - (a / b) * K);
        case 14: return Row(a * K + 1, 1, -1, 0, a * K - 1, 0);
        case 15: return Row(K2 + a * K + 1, 1, -2, 1, 2 * (K2 - 1), K2 + 1 - a * K);
        case 16: return Row(b * K2 + a * K + 1, 1, -2, 1, 2 * (b * K2 - 1), b * K2 + 1 - a * K);
        case 17:
            return Row(K2 + K / Q + 1, K2 + 1 - K / Q, 2 * (K2 - 1), K2 + K / Q + 1, 2 * (K2 - 1),
                       K2 + 1 - K / Q);
        default: return {1, 0, 0, 0, 0};  // 10 and anything unknown: unity
    }
}

double Fold(const Section& s, double v, double f) {
    switch (s.kind) {
        case 4:
        case 7:
        case 15:
        case 16:
            if (v < 0) v += 18;
            break;
        case 5:
        case 12:
        case 13:
            if (v > 0) v -= 18;
            break;
        case 17:
            if (v > 0) v -= 18;
            if (f > s.freqHz) v += 18;
            break;
        case 2:
            if (s.gainDb > 0 && v > 0) v -= 18;
            if (s.gainDb < 0 && v < 0) v += 18;
            break;
        case 3:
            if (s.gainDb > 0 && v < 0) v += 18;
            if (s.gainDb < 0 && v > 0) v -= 18;
            break;
        default: break;
    }
    return v;
}

}  // namespace

std::vector<double> Curve(const Section& section, bool phase) {
    const Coefficients c = Design(section);
    std::vector<double> points(4096);
    for (int i = 0; i < 4096; ++i) {
        const double f = std::pow(10.0, std::log10(48000.0) * i / 4096.0);
        const double w = std::numbers::pi * f / 48000.0;
        Complex B{c.b0, 0.0};
        B = Add(B, {c.b1 * std::cos(-w), c.b1 * std::sin(-w)});
        B = Add(B, {c.b2 * std::cos(-2.0 * w), c.b2 * std::sin(-2.0 * w)});
        Complex A{1.0, 0.0};
        A = Add(A, {c.a1 * std::cos(-w), c.a1 * std::sin(-w)});
        A = Add(A, {c.a2 * std::cos(-2.0 * w), c.a2 * std::sin(-2.0 * w)});
        if (!phase) {
            points[i] = 20.0 * std::log10(Magnitude(B) / Magnitude(A));
            continue;
        }
        const double d = A.re * A.re + A.im * A.im;
        const Complex h{(B.re * A.re + B.im * A.im) / d, (B.im * A.re - B.re * A.im) / d};
        points[i] = Fold(section, std::atan(h.im / h.re) * 18.0 / std::numbers::pi, f);
    }
    return points;
}

}  // namespace dsp::reference
