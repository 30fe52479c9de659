#pragma once
// Numeric helpers of the plot's drawing: a decimal logarithm and a power for logarithmic axes,
// cubic-spline, polynomial and rational interpolation for interpolated traces, and integer
// line geometry for hit tests. No state is kept.
//
// The interpolation arrays are used from element 1 to N (element 0 exists and is ignored), so
// a caller sizes them to N + 1. Degenerate data raise Exception with the routine's message; the
// out-arguments then keep what was written before the error.

#include <vector>

#include "framework/graphics/Geometry.h"

namespace dsp {

using DoubleDynamicArray = std::vector<double>;

long double iLog10(long double x);
// Defined for base > 0 only.
long double iPower(long double base, long double exponent);

// Second derivatives Y2[1..N] of the cubic spline through (X[i], Y[i]), X strictly ascending,
// N >= 2. The end slopes are the secants of the first and last interval: yp1 and ypn are kept
// for the routine's signature and have no effect.
void Spline(const DoubleDynamicArray& x, const DoubleDynamicArray& y, int n, double yp1, double ypn,
            DoubleDynamicArray& y2);
// The spline's value at x; outside XA[1]..XA[N] the end interval is extrapolated.
// "Splint Error - xa's must be distinct".
void Splint(const DoubleDynamicArray& xa, const DoubleDynamicArray& ya,
            const DoubleDynamicArray& y2a, int n, double x, double& y);
// Neville's polynomial through the N points; dy is the last correction.
// "Polynomial Interpolation Error - Pause in Routine Data".
void PolInt(const DoubleDynamicArray& xa, const DoubleDynamicArray& ya, int n, double x, double& y,
            double& dy);
// Bulirsch-Stoer rational function through the N points.
// "Rational Interpolation Error - Pause in Routine Data".
void RatInt(const DoubleDynamicArray& xa, const DoubleDynamicArray& ya, int n, double x, double& y,
            double& dy);

// A vertical line has slope 1e30.
void LineSlopeIntercept(TPoint p1, TPoint p2, double& m, double& b);
// Whether the lines' crossing X lies within both segments' X ranges (parallel lines: false).
bool SegmentsIntersect(TPoint a1, TPoint a2, TPoint b1, TPoint b2);
// The segment meets an edge of the rectangle or has an end inside it (edges inclusive).
bool LineIntersectsRect(TPoint p1, TPoint p2, const TRect& r);

}  // namespace dsp
