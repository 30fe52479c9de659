#include "plot/engine/iMath.h"

#include <algorithm>
#include <cmath>

#include "framework/core/Exceptions.h"
#include "framework/text/Numbers.h"

namespace dsp {

long double iLog10(long double x) { return std::log10(x); }

long double iPower(long double base, long double exponent) {
    return std::exp(exponent * std::log(base));
}

void Spline(const DoubleDynamicArray& x, const DoubleDynamicArray& y, int n, double /*yp1*/,
            double /*ypn*/, DoubleDynamicArray& y2) {
    DoubleDynamicArray u(static_cast<std::size_t>(n) + 1);
    // The secant slopes of the end intervals replace the caller's end slopes.
    const double s1 = (y[2] - y[1]) / (x[2] - x[1]);
    const double sN = (y[n] - y[n - 1]) / (x[n] - x[n - 1]);
    if (s1 > 0.99e30) {
        y2[1] = 0;
        u[1] = 0;
    } else {
        y2[1] = -0.5;
        u[1] = (3 / (x[2] - x[1])) * ((y[2] - y[1]) / (x[2] - x[1]) - s1);
    }
    for (int i = 2; i <= n - 1; ++i) {
        const long double sig = (x[i] - x[i - 1]) / (x[i + 1] - x[i - 1]);
        const long double p = sig * y2[i - 1] + 2;
        y2[i] = static_cast<double>((sig - 1) / p);
        const long double d =
            (y[i + 1] - y[i]) / (x[i + 1] - x[i]) - (y[i] - y[i - 1]) / (x[i] - x[i - 1]);
        u[i] = static_cast<double>((6 * d / (x[i + 1] - x[i - 1]) - sig * u[i - 1]) / p);
    }
    double qn = 0;
    double un = 0;
    if (!(sN > 0.99e30)) {
        qn = 0.5;
        un = (3 / (x[n] - x[n - 1])) * (sN - (y[n] - y[n - 1]) / (x[n] - x[n - 1]));
    }
    y2[n] = (un - qn * u[n - 1]) / (qn * y2[n - 1] + 1);
    for (int k = n - 1; k >= 1; --k) y2[k] = y2[k] * y2[k + 1] + u[k];
}

void Splint(const DoubleDynamicArray& xa, const DoubleDynamicArray& ya,
            const DoubleDynamicArray& y2a, int n, double x, double& y) {
    int klo = 1;
    int khi = n;
    while (khi - klo > 1) {
        const int k = (khi + klo) / 2;
        if (xa[k] > x) {
            khi = k;
        } else {
            klo = k;
        }
    }
    const long double h = xa[khi] - xa[klo];
    if (h == 0) throw Exception("Splint Error - xa's must be distinct");
    const long double a = (xa[khi] - x) / h;
    const long double b = (x - xa[klo]) / h;
    y = static_cast<double>(a * ya[klo] + b * ya[khi] +
                            ((a * a * a - a) * y2a[klo] + (b * b * b - b) * y2a[khi]) * h * h / 6);
}

namespace {

// The tableau walk shared by the polynomial and rational routines: the correction taken from
// C or D on the way down the tableau.
void TakeCorrection(const DoubleDynamicArray& c, const DoubleDynamicArray& d, int n, int m, int& ns,
                    double& y, double& dy) {
    if (2 * ns < n - m) {
        dy = c[ns + 1];
    } else {
        dy = d[ns];
        --ns;
    }
    y += dy;
}

}  // namespace

void PolInt(const DoubleDynamicArray& xa, const DoubleDynamicArray& ya, int n, double x, double& y,
            double& dy) {
    DoubleDynamicArray c(static_cast<std::size_t>(n) + 1);
    DoubleDynamicArray d(static_cast<std::size_t>(n) + 1);
    int ns = 1;
    double dif = std::abs(x - xa[1]);
    for (int i = 1; i <= n; ++i) {
        const double dift = std::abs(x - xa[i]);
        if (dift < dif) {
            ns = i;
            dif = dift;
        }
        c[i] = ya[i];
        d[i] = ya[i];
    }
    y = ya[ns];
    --ns;
    for (int m = 1; m <= n - 1; ++m) {
        for (int i = 1; i <= n - m; ++i) {
            const double ho = xa[i] - x;
            const double hp = xa[i + m] - x;
            const double w = c[i + 1] - d[i];
            double den = ho - hp;
            if (den == 0) throw Exception("Polynomial Interpolation Error - Pause in Routine Data");
            den = w / den;
            d[i] = hp * den;
            c[i] = ho * den;
        }
        TakeCorrection(c, d, n, m, ns, y, dy);
    }
}

void RatInt(const DoubleDynamicArray& xa, const DoubleDynamicArray& ya, int n, double x, double& y,
            double& dy) {
    DoubleDynamicArray c(static_cast<std::size_t>(n) + 1);
    DoubleDynamicArray d(static_cast<std::size_t>(n) + 1);
    int ns = 1;
    double hh = std::abs(x - xa[1]);
    for (int i = 1; i <= n; ++i) {
        const double h = std::abs(x - xa[i]);
        if (h == 0) {
            y = ya[i];
            dy = 0;
            return;
        }
        if (h < hh) {
            ns = i;
            hh = h;
        }
        c[i] = ya[i];
        d[i] = ya[i] + 1e-25;
    }
    y = ya[ns];
    --ns;
    for (int m = 1; m <= n - 1; ++m) {
        for (int i = 1; i <= n - m; ++i) {
            const double w = c[i + 1] - d[i];
            const double h = xa[i + m] - x;
            const double t = (xa[i] - x) * d[i] / h;
            double dd = t - c[i + 1];
            if (dd == 0) throw Exception("Rational Interpolation Error - Pause in Routine Data");
            dd = w / dd;
            d[i] = c[i + 1] * dd;
            c[i] = t * dd;
        }
        TakeCorrection(c, d, n, m, ns, y, dy);
    }
}

void LineSlopeIntercept(TPoint p1, TPoint p2, double& m, double& b) {
    if (p2.X == p1.X) {
        m = 1e30;
    } else {
        m = static_cast<double>(p2.Y - p1.Y) / static_cast<double>(p2.X - p1.X);
    }
    b = p1.Y - p1.X * m;
}

bool SegmentsIntersect(TPoint a1, TPoint a2, TPoint b1, TPoint b2) {
    double m1 = 0;
    double c1 = 0;
    double m2 = 0;
    double c2 = 0;
    LineSlopeIntercept(a1, a2, m1, c1);
    LineSlopeIntercept(b1, b2, m2, c2);
    if (m1 == m2) return false;
    const double crossing = (c2 - c1) / (m1 - m2);
    // Far outside any pixel range: no integer segment reaches it.
    if (!(std::abs(crossing) < 1e15)) return false;
    const auto x = Round(crossing);
    return x >= std::min(a1.X, a2.X) && x <= std::max(a1.X, a2.X) && x >= std::min(b1.X, b2.X) &&
           x <= std::max(b1.X, b2.X);
}

static bool PointInRect(TPoint p, const TRect& r) {
    return p.X >= r.Left && p.X <= r.Right && p.Y >= r.Top && p.Y <= r.Bottom;
}

bool LineIntersectsRect(TPoint p1, TPoint p2, const TRect& r) {
    return SegmentsIntersect(p1, p2, {r.Left, r.Bottom}, {r.Left, r.Top}) ||
           SegmentsIntersect(p1, p2, {r.Right, r.Top}, {r.Left, r.Top}) ||
           SegmentsIntersect(p1, p2, {r.Right, r.Bottom}, {r.Right, r.Top}) ||
           SegmentsIntersect(p1, p2, {r.Left, r.Bottom}, {r.Right, r.Bottom}) ||
           PointInRect(p1, r) || PointInRect(p2, r);
}

}  // namespace dsp
