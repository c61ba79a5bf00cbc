// Windows bitmap files: BMP/DIB/RLE readers, BMP/DIB writers and the packed-DIB coding.
#pragma once

#include "pgraphic/FileFormat.h"

#include <cstdint>
#include <optional>

namespace pg {

class TBMPFileFormatReader : public TFileFormatReader {
public:
    TBMPFileFormatReader() : TBMPFileFormatReader("bmp") {}
    std::string ClassName() const override { return "TBMPFileFormatReader"; }
    bool MatchesHeader(std::span<const std::uint8_t> Header) const override;
    void Read(platform::TStream& Stream, TPixelGraphic& Graphic, int ImageIndex) override;
    void GetInfo(platform::TStream& Stream, int ImageIndex, TPGImageInfo& Info) override;

protected:
    explicit TBMPFileFormatReader(std::string extension);
};

class TDIBFileFormatReader : public TBMPFileFormatReader {
public:
    TDIBFileFormatReader() : TBMPFileFormatReader("dib") {}
    std::string ClassName() const override { return "TDIBFileFormatReader"; }
};

class TRLEFileFormatReader : public TBMPFileFormatReader {
public:
    TRLEFileFormatReader() : TBMPFileFormatReader("rle") {}
    std::string ClassName() const override { return "TRLEFileFormatReader"; }
};

class TBMPFileFormatWriter : public TFileFormatWriter {
public:
    TBMPFileFormatWriter() : TFileFormatWriter("bmp", "Bitmap", kAllColorResolutions) {}
    std::string ClassName() const override { return "TBMPFileFormatWriter"; }
    void Write(platform::TStream& Stream, TPixelGraphic& Graphic) override;
};

class TDIBFileFormatWriter : public TBMPFileFormatWriter {
public:
    TDIBFileFormatWriter() {
        Extension = "dib";
        ListInFilter = false;
    }
    std::string ClassName() const override { return "TDIBFileFormatWriter"; }
};

// Reads a header (the 12-byte core header or the 40-byte info header), the colour table and the
// pixels from the stream's position. When the pixels are known to start at `pixelOffset` (the file
// header says so) and that lies beyond the colour table, the gap is skipped.
void ReadDIB(platform::TStream& Stream, TPixelGraphic& Graphic, bool CoreHeader,
             std::optional<std::int64_t> pixelOffset = std::nullopt);
// Writes the info header, the colour table and the pixels.
void WriteDIB(platform::TStream& Stream, const TPixelGraphic& Graphic);

} // namespace pg
