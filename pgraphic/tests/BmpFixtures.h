// Small bitmap files built byte by byte for the reader tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace pg::test {

class TBytes {
public:
    TBytes& U8(std::uint32_t v) {
        FBytes.push_back(std::uint8_t(v));
        return *this;
    }
    TBytes& U16(std::uint32_t v) { return U8(v).U8(v >> 8); }
    TBytes& U32(std::uint32_t v) { return U16(v).U16(v >> 16); }
    TBytes& Raw(std::initializer_list<std::uint8_t> bytes) {
        FBytes.insert(FBytes.end(), bytes);
        return *this;
    }
    TBytes& Zeros(std::size_t n) {
        FBytes.resize(FBytes.size() + n);
        return *this;
    }
    const std::vector<std::uint8_t>& Bytes() const { return FBytes; }
    std::size_t Size() const { return FBytes.size(); }

private:
    std::vector<std::uint8_t> FBytes;
};

struct TInfoHeaderFields {
    std::int32_t Width = 1;
    std::int32_t Height = 1;
    std::uint16_t Planes = 1;
    std::uint16_t BitCount = 24;
    std::uint32_t Compression = 0;
    std::uint32_t SizeImage = 0;
    std::uint32_t ClrUsed = 0;
    std::uint32_t OffBits = 0; // 0: directly after the headers and colour table
};

// File header plus BITMAPINFOHEADER; the caller appends colour table and pixels.
inline TBytes BmpWithInfoHeader(const TInfoHeaderFields& f, std::size_t tableBytes = 0) {
    TBytes b;
    const std::uint32_t offBits = f.OffBits ? f.OffBits : std::uint32_t(54 + tableBytes);
    b.Raw({'B', 'M'}).U32(0).U16(0).U16(0).U32(offBits);
    b.U32(40).U32(std::uint32_t(f.Width)).U32(std::uint32_t(f.Height)).U16(f.Planes).U16(f.BitCount);
    b.U32(f.Compression).U32(f.SizeImage).U32(0).U32(0).U32(f.ClrUsed).U32(0);
    return b;
}

} // namespace pg::test
