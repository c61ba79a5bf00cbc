// The reader and writer lists, reader detection and image information.
#include "formats/BuiltinFormats.h"
#include "pgraphic/FileFormat.h"
#include "pgraphic/Messages.h"
#include "pgraphic/PixelGraphic.h"
#include "platform/Stream.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace pg {
namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return out;
}

std::string_view WithoutLeadingDot(std::string_view extension) {
    if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
    return extension;
}

struct TRegistry {
    TReaderList Readers;
    TWriterList Writers;
    TRegistry() { RegisterBuiltinFormats(Readers, Writers); }
};

TRegistry& Registry() {
    static TRegistry registry;
    return registry;
}

// Sorts by lower-cased extension when any neighbouring pair is out of order.
template <class List> List& Sorted(List& list) {
    auto byExtension = [](const auto& a, const auto& b) { return Lower(a->Extension) < Lower(b->Extension); };
    if (!std::is_sorted(list.begin(), list.end(), byExtension))
        std::stable_sort(list.begin(), list.end(), byExtension);
    return list;
}

template <class List, class T> void Unregister(List& list, const T* item) {
    std::erase_if(list, [&](const auto& p) { return p.get() == item; });
}

} // namespace

TColorResolution ColorResolutionOf(const TPixelGraphic& image) {
    const TPaletteIdent ident = image.PaletteIdent();
    switch (image.PixelFormat()) {
    case pf1Bit:
        return ident == pBlackWhite ? crBlackWhite : cr2Colors;
    case pf4Bit:
        return ident == pSys16 ? cr16SystemColors : ident == pGray16 ? cr16Grays : cr16Colors;
    case pf8Bit:
        return ident == pGray256 ? cr256Grays : cr256Colors;
    default:
        return crTrueColor;
    }
}

std::string ColorResolutionName(TColorResolution resolution) {
    return PGMessage(msg::ColorResBlackWhite + resolution);
}

bool TFileFormatReader::MatchesHeader(std::span<const std::uint8_t>) const {
    return false;
}

void TFileFormatReader::Read(platform::TStream&, TPixelGraphic&, int) {}

void TFileFormatReader::GetInfo(platform::TStream&, int, TPGImageInfo& Info) {
    Info.SubFormat.clear();
    Info.Details.clear();
    Info.Colors.clear();
    Info.Width = 0;
    Info.Height = 0;
    Info.BitsPerPixel = 0;
    Info.ImageCount = 1;
}

const TReaderList& FileFormatReaders() {
    return Sorted(Registry().Readers);
}
const TWriterList& FileFormatWriters() {
    return Sorted(Registry().Writers);
}

void RegisterFileFormatReader(std::unique_ptr<TFileFormatReader> reader) {
    Registry().Readers.push_back(std::move(reader));
}
void RegisterFileFormatWriter(std::unique_ptr<TFileFormatWriter> writer) {
    Registry().Writers.push_back(std::move(writer));
}
void UnregisterFileFormatReader(const TFileFormatReader* reader) {
    Unregister(Registry().Readers, reader);
}
void UnregisterFileFormatWriter(const TFileFormatWriter* writer) {
    Unregister(Registry().Writers, writer);
}

TFileFormatReader* FindReader(platform::TStream& Stream, std::string_view Extension) {
    try {
        const std::string extension = Lower(WithoutLeadingDot(Extension));
        std::array<std::uint8_t, 17> header{};
        const std::int64_t start = Stream.Position();
        std::size_t got = 0;
        try {
            got = Stream.Read(header.data(), header.size());
        } catch (...) {
            Stream.SetPosition(start);
            throw;
        }
        Stream.SetPosition(start);
        const std::span<const std::uint8_t> bytes(header.data(), got);

        const auto& readers = FileFormatReaders();
        for (const auto& reader : readers)
            if (reader->DetectsByContent && reader->MatchesHeader(bytes)) return reader.get();
        if (!extension.empty())
            for (const auto& reader : readers)
                if (!reader->DetectsByContent && Lower(reader->Extension) == extension) return reader.get();
    } catch (...) {
    }
    return nullptr;
}

TFileFormatWriter* FindWriter(std::string_view Extension) {
    const std::string extension = Lower(WithoutLeadingDot(Extension));
    for (const auto& writer : FileFormatWriters())
        if (Lower(writer->Extension) == extension) return writer.get();
    return nullptr;
}

bool GetImageInfo(platform::TStream& Stream, std::string_view Extension, int ImageIndex, TPGImageInfo& Info) {
    TFileFormatReader* reader = FindReader(Stream, Extension);
    if (!reader) return false;
    try {
        const std::int64_t start = Stream.Position();
        Info.Description = reader->Description;
        reader->GetInfo(Stream, ImageIndex, Info);
        Stream.SetPosition(start);
        return true;
    } catch (...) {
        return false;
    }
}

bool GetImageInfo(const std::string& FileName, int ImageIndex, TPGImageInfo& Info) {
    if (FileName.empty()) return false;
    try {
        platform::TFileStream file(FileName, platform::TFileStream::TMode::OpenRead);
        return GetImageInfo(file, ExtensionOf(FileName), ImageIndex, Info);
    } catch (...) {
        return false;
    }
}

std::string ExtensionOf(const std::string& FileName) {
    const auto slash = FileName.find_last_of('/');
    const auto dot = FileName.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return Lower(std::string_view(FileName).substr(dot + 1));
}

} // namespace pg
