// Integer helpers of the layout: a multiply-then-divide that rounds to the nearest whole
// number (half away from zero) with a 64-bit intermediate, and additions that saturate.
#pragma once

#include <QtGlobal>

#include <vector>

namespace LayoutMath {

// Far beyond any real page, far below int overflow when a few of them are added up.
constexpr int Limit = 1 << 28;

inline int clampToInt(qint64 v) {
    return v > Limit ? Limit : (v < -Limit ? -Limit : int(v));
}

// a * b / c rounded to the nearest whole number; 0 when c is 0.
inline int mulDiv(int a, int b, int c) {
    if (c == 0)
        return 0;
    qint64 p = qint64(a) * qint64(b);
    qint64 d = c;
    const bool negative = (p < 0) != (d < 0);
    if (p < 0)
        p = -p;
    if (d < 0)
        d = -d;
    const qint64 q = (p + d / 2) / d;
    return clampToInt(negative ? -q : q);
}

inline int add(int a, int b) {
    return clampToInt(qint64(a) + qint64(b));
}

inline int sum(const std::vector<int> &v) {
    qint64 s = 0;
    for (int x : v)
        s += x;
    return clampToInt(s);
}

} // namespace LayoutMath
