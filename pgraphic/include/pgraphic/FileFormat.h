// Image file readers and writers and the two library-wide lists that hold them.
#pragma once

#include "pgraphic/Types.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {
class TStream;
}

namespace pg {

class TPixelGraphic;

// What a writer can store and what an image holds, codes 0..7.
enum TColorResolution : std::uint8_t {
    crBlackWhite,
    cr2Colors,
    cr16Grays,
    cr16SystemColors,
    cr16Colors,
    cr256Grays,
    cr256Colors,
    crTrueColor,
};

// A set of colour resolutions, bit r standing for resolution r.
using TColorResolutions = std::uint8_t;
constexpr TColorResolutions ResolutionSet(std::initializer_list<TColorResolution> resolutions) {
    TColorResolutions set = 0;
    for (auto r : resolutions) set = TColorResolutions(set | 1u << r);
    return set;
}
inline constexpr TColorResolutions kAllColorResolutions = 0xFF;

// The resolution an image holds, from its pixel format and palette identity.
TColorResolution ColorResolutionOf(const TPixelGraphic& image);
// The user-visible name of a resolution ("256 colors").
std::string ColorResolutionName(TColorResolution resolution);

// What a reader reports about an image without reading its pixels.
struct TPGImageInfo {
    std::string Description; // filled by GetImageInfo from the reader
    std::string SubFormat;
    std::string Details;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::string Colors;
    std::int32_t BitsPerPixel = 0;
    std::int32_t ImageCount = 1;
};

class TFileFormatReaderWriter {
public:
    TFileFormatReaderWriter(std::string extension, std::string description)
        : Extension(std::move(extension)), Description(std::move(description)) {}
    virtual ~TFileFormatReaderWriter() = default;
    // The class name users see in messages about this object.
    virtual std::string ClassName() const = 0;

    bool ListInFilter = true;
    std::string Extension; // lower case, without the dot
    std::string Description;
};

class TFileFormatReader : public TFileFormatReaderWriter {
public:
    using TFileFormatReaderWriter::TFileFormatReaderWriter;

    // Signature test on the first (up to 17) bytes of the stream.
    virtual bool MatchesHeader(std::span<const std::uint8_t> Header) const;
    // Reads image number ImageIndex (0 = first) into Graphic.
    virtual void Read(platform::TStream& Stream, TPixelGraphic& Graphic, int ImageIndex);
    // Describes image number ImageIndex without reading its pixels.
    virtual void GetInfo(platform::TStream& Stream, int ImageIndex, TPGImageInfo& Info);

    bool DetectsByContent = false;
};

class TFileFormatWriter : public TFileFormatReaderWriter {
public:
    TFileFormatWriter(std::string extension, std::string description, TColorResolutions canWrite)
        : TFileFormatReaderWriter(std::move(extension), std::move(description)),
          CanWriteResolutions(canWrite) {}

    virtual void Write(platform::TStream& Stream, TPixelGraphic& Graphic) = 0;

    TColorResolutions CanWriteResolutions;
};

using TReaderList = std::vector<std::unique_ptr<TFileFormatReader>>;
using TWriterList = std::vector<std::unique_ptr<TFileFormatWriter>>;

// The registered readers and writers, sorted by extension.
const TReaderList& FileFormatReaders();
const TWriterList& FileFormatWriters();

// Adds a format after start-up (plug-ins, tests); the lists are re-sorted before the next lookup.
void RegisterFileFormatReader(std::unique_ptr<TFileFormatReader> reader);
void RegisterFileFormatWriter(std::unique_ptr<TFileFormatWriter> writer);
void UnregisterFileFormatReader(const TFileFormatReader* reader);
void UnregisterFileFormatWriter(const TFileFormatWriter* writer);

// The reader for the stream's content, else a reader without a signature test for Extension;
// null when there is none. The stream position is left where it was.
TFileFormatReader* FindReader(platform::TStream& Stream, std::string_view Extension);
// The first writer whose extension equals Extension (case-insensitive, one leading dot dropped).
TFileFormatWriter* FindWriter(std::string_view Extension);

// Describes image ImageIndex of the stream or file; false when no reader takes it or it fails.
bool GetImageInfo(platform::TStream& Stream, std::string_view Extension, int ImageIndex, TPGImageInfo& Info);
bool GetImageInfo(const std::string& FileName, int ImageIndex, TPGImageInfo& Info);

// Lower-cased extension of a file name, without the dot; empty when there is none.
std::string ExtensionOf(const std::string& FileName);

} // namespace pg
