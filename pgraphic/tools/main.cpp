// pgraphic: image information, conversion and the list of formats, from the command line.
#include "CommandLine.h"
#include "ProgressBar.h"
#include "pgraphic/FileFormat.h"
#include "pgraphic/Messages.h"
#include "pgraphic/OptimizedPalette.h"
#include "pgraphic/PixelGraphic.h"
#include "platform/Stream.h"

#include <cstdio>
#include <exception>

namespace pgtool {
namespace {

constexpr const char* kVersion = "pgraphic 0.1.0";

void PrintInfo(const TInfoCommand& command) {
    pg::TPGImageInfo info;
    if (!pg::GetImageInfo(command.File, 0, info)) {
        // Find out why, to say so: the file, the format, or the reader's own complaint.
        platform::TFileStream file(command.File, platform::TFileStream::TMode::OpenRead);
        pg::TFileFormatReader* reader = pg::FindReader(file, pg::ExtensionOf(command.File));
        if (!reader) pg::PGRaise<pg::EPGUnknownFileFormat>(pg::msg::UnknownFileFormat);
        reader->GetInfo(file, 0, info);
    }
    std::printf("Description: %s\nSubFormat: %s\nDetails: %s\nWidth: %d\nHeight: %d\nColors: %s\n"
                "BitsPerPixel: %d\nImageCount: %d\n",
                info.Description.c_str(), info.SubFormat.c_str(), info.Details.c_str(), info.Width,
                info.Height, info.Colors.c_str(), info.BitsPerPixel, info.ImageCount);
}

pg::TPixelFormat PaletteFormatFor(int colors) {
    return colors <= 2 ? pg::pf1Bit : colors <= 16 ? pg::pf4Bit : pg::pf8Bit;
}

void Convert(const TConvertCommand& command) {
    TProgressBar progress(stderr);
    pg::TPixelGraphic image;
    progress.Attach(image);
    image.SetReadWarningAction(pg::pgwaIgnore);
    image.LoadFromFile(command.In);

    pg::TPixelGraphic* result = &image;
    pg::TPixelGraphic resized;
    if (command.Size) {
        progress.Attach(resized);
        resized.SetSize(command.Size->first, command.Size->second, pg::pf24Bit);
        resized.SetStretchMode(command.Stretch);
        resized.Copy(image);
        result = &resized;
    }
    pg::TPixelGraphic reduced;
    if (command.Colors) {
        progress.Attach(reduced);
        reduced.SetSize(result->Width(), result->Height(), PaletteFormatFor(*command.Colors));
        reduced.SetDither(command.Dither);
        pg::CreateOptimizedPalette(reduced, *result, *command.Colors, command.SystemColors);
        reduced.SetPaletteCount(*command.Colors);
        reduced.Copy(*result);
        result = &reduced;
    }
    result->SetSaveColorResWarningAction(pg::pgwaIgnore);
    result->SaveToFile(command.Out);
}

void ListFormats() {
    std::printf("Readers:\n");
    for (const auto& reader : pg::FileFormatReaders())
        std::printf("  %-6s %s\n", reader->Extension.c_str(), reader->Description.c_str());
    std::printf("Writers:\n");
    for (const auto& writer : pg::FileFormatWriters()) {
        std::string resolutions;
        for (int r = pg::crBlackWhite; r <= pg::crTrueColor; ++r)
            if (writer->CanWriteResolutions & (1u << r))
                resolutions +=
                    (resolutions.empty() ? "" : ", ") + pg::ColorResolutionName(pg::TColorResolution(r));
        std::printf("  %-6s %s (%s)\n", writer->Extension.c_str(), writer->Description.c_str(),
                    resolutions.c_str());
    }
}

int Run(const TCommand& command) {
    struct {
        void operator()(const TInfoCommand& c) const { PrintInfo(c); }
        void operator()(const TConvertCommand& c) const { Convert(c); }
        void operator()(const TFormatsCommand&) const { ListFormats(); }
        void operator()(const THelpCommand&) const { std::fputs(kUsage, stdout); }
        void operator()(const TVersionCommand&) const { std::puts(kVersion); }
    } visitor;
    std::visit(visitor, command);
    return 0;
}

} // namespace
} // namespace pgtool

int main(int argc, char** argv) {
    const auto parsed = pgtool::ParseCommandLine({argv + 1, argv + argc});
    if (const auto* usage = std::get_if<pgtool::TUsageError>(&parsed)) {
        std::fprintf(stderr, "pgraphic: %s\n%s", usage->Message.c_str(), pgtool::kUsage);
        return 2;
    }
    try {
        return pgtool::Run(std::get<pgtool::TCommand>(parsed));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pgraphic: %s\n", e.what());
        return 1;
    }
}
