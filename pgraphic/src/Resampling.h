// How one destination column or row of a scaled copy is made from source columns or rows.
#pragma once

#include "pgraphic/Types.h"

#include <cstdint>

namespace pg {

enum TResampleMethod { mNearest, mTwoPoint, mAreaAverage, mOneToOne };

// The source positions one destination position takes and their weights, which add up to the
// method's divisor.
struct TSpan {
    std::int32_t First = 0;
    std::int32_t Last = 0;
    std::int64_t FirstWeight = 0;
    std::int64_t LastWeight = 0;
    std::uint8_t Kind = 0; // 0 first only, 1 first and last, 2 first, middles and last
    bool Valid = false;
};

// The method of one axis with S source and D destination pixels.
TResampleMethod MethodFor(TStretchMode mode, std::int32_t S, std::int32_t D);
std::int64_t DivisorOf(TResampleMethod method, std::int32_t S, std::int32_t D);

// Destination position u of the destination rectangle, on an axis of S source and D destination
// pixels whose source rectangle starts at `origin`; `extent` is the source image's size.
TSpan SpanOf(TResampleMethod method, std::int64_t u, std::int64_t S, std::int64_t D, std::int64_t origin,
             std::int64_t extent);

} // namespace pg
