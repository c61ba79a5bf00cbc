// The column and row records of scaled copies: nearest sample, two-point interpolation, area
// average and one to one, all in integer weights.
#include "src/Resampling.h"

#include <algorithm>

namespace pg {

TResampleMethod MethodFor(TStretchMode mode, std::int32_t s, std::int32_t d) {
    if (mode == smFast) return mNearest;
    if (s == d) return mOneToOne;
    const bool shrinking = s > d;
    return (shrinking == (mode == smMedium)) ? mTwoPoint : mAreaAverage;
}

std::int64_t DivisorOf(TResampleMethod method, std::int32_t s, std::int32_t d) {
    switch (method) {
    case mTwoPoint:
        return 2 * std::int64_t(d);
    case mAreaAverage:
        return s;
    default:
        return 1;
    }
}

TSpan SpanOf(TResampleMethod method, std::int64_t u, std::int64_t S, std::int64_t D, std::int64_t origin,
             std::int64_t extent) {
    TSpan t;
    auto inside = [&](std::int64_t v) { return v >= 0 && v < extent; };
    switch (method) {
    case mNearest:
        t.First = t.Last = std::int32_t(origin + u * S / D);
        t.FirstWeight = t.LastWeight = 1;
        break;
    case mOneToOne:
        t.First = t.Last = std::int32_t(origin + u);
        t.FirstWeight = t.LastWeight = 1;
        break;
    case mTwoPoint: {
        const std::int64_t c = (2 * u + 1) * S;
        std::int64_t first = origin + (c - D) / (2 * D), last = origin + (c + D) / (2 * D);
        if (!(inside(first) && inside(last)) && S < D &&
            ((first < 0 && last >= 0) || (first < extent && last >= extent))) {
            first = std::clamp<std::int64_t>(first, 0, extent - 1);
            last = std::clamp<std::int64_t>(last, 0, extent - 1);
        }
        t.First = std::int32_t(first);
        t.Last = std::int32_t(last);
        t.FirstWeight = 2 * D - (c - (2 * (first - origin) + 1) * D);
        t.LastWeight = 2 * D - ((2 * (last - origin) + 1) * D - c);
        t.Kind = 1;
        if ((2 * (first - origin) + 1) * D == c || first == last) {
            t.Kind = 0;
            t.FirstWeight = 2 * D;
        }
        break;
    }
    case mAreaAverage: {
        const std::int64_t first = origin + u * S / D;
        std::int64_t last = origin + (u + 1) * S / D;
        if ((u + 1) * S % D == 0) --last;
        t.First = std::int32_t(first);
        t.Last = std::int32_t(last);
        t.FirstWeight = D * (first - origin + 1) - S * u;
        t.LastWeight = S * (u + 1) - D * (last - origin);
        if (first == last)
            t.FirstWeight = S;
        else
            t.Kind = last - first == 1 ? 1 : 2;
        break;
    }
    }
    t.Valid = inside(t.First) && inside(t.Last);
    return t;
}

} // namespace pg
