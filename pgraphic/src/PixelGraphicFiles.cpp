// TPixelGraphic: loading through the reader list, saving through the writer list, the packed-DIB,
// component-stream and clipboard forms.
#include "formats/Bmp.h"
#include "pgraphic/FileFormat.h"
#include "pgraphic/Messages.h"
#include "pgraphic/PixelGraphic.h"
#include "platform/MessageBox.h"
#include "platform/Stream.h"
#include "src/ColorResolutionConversion.h"

#include <array>
#include <cmath>
#include <cstring>
#include <functional>

namespace pg {
namespace {

// When a writer cannot store resolution r, the first resolution of row r that it can store is used.
constexpr TColorResolution kFallbackOrder[8][8] = {
    {crBlackWhite, cr2Colors, cr16Grays, cr16SystemColors, cr16Colors, cr256Grays, cr256Colors, crTrueColor},
    {cr2Colors, cr16Colors, cr256Colors, crTrueColor, cr16SystemColors, crBlackWhite, cr16Grays, cr256Grays},
    {cr16Grays, cr16Colors, cr256Grays, cr256Colors, crTrueColor, cr16SystemColors, crBlackWhite, cr2Colors},
    {cr16SystemColors, cr16Colors, cr256Colors, crTrueColor, cr16Grays, cr256Grays, crBlackWhite, cr2Colors},
    {cr16Colors, cr256Colors, crTrueColor, cr16SystemColors, cr16Grays, cr256Grays, crBlackWhite, cr2Colors},
    {cr256Grays, cr256Colors, crTrueColor, cr16Grays, cr16Colors, cr16SystemColors, crBlackWhite, cr2Colors},
    {cr256Colors, crTrueColor, cr16Colors, cr16SystemColors, cr256Grays, cr16Grays, crBlackWhite, cr2Colors},
    {crTrueColor, cr256Colors, cr16Colors, cr16SystemColors, cr256Grays, cr16Grays, crBlackWhite, cr2Colors},
};

std::string LowerExtension(std::string_view extension) {
    if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
    std::string out(extension);
    for (char& c : out) c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

struct TWriterChoice {
    TFileFormatWriter* Writer;
    TColorResolution Current;
    TColorResolution Target;
};

TWriterChoice ChooseWriter(TPixelGraphic& image, std::string_view extension) {
    if (FileFormatWriters().empty()) PGRaise<EPGFileFormatWritersEmpty>(msg::IsEmpty, "FileFormatWriters");
    TFileFormatWriter* writer = FindWriter(extension);
    if (!writer) PGRaise<EPGUnknownExtension>(msg::UnknownFileExtension, LowerExtension(extension));
    image.UpdatePaletteIdent();
    const TColorResolution current = ColorResolutionOf(image);
    for (TColorResolution candidate : kFallbackOrder[current])
        if (writer->CanWriteResolutions & (1u << candidate)) return {writer, current, candidate};
    PGRaise<EPGCanWriteResolutionsEmpty>(msg::IsEmpty, writer->ClassName() + ".CanWriteResolutions");
}

// Asks, as the image's SaveColorResWarningAction says, whether the conversion may go ahead.
bool ConversionAccepted(const TPixelGraphic& image, const TWriterChoice& choice) {
    const TPGWarningAction action = image.SaveColorResWarningAction();
    if (action == pgwaIgnore) return true;
    if (action == pgwaRaise) return false;
    platform::TMessageBoxRequest box{
        .Caption = PGMessage(msg::Warning),
        .Text = PGMessage(msg::ColorResWillChange, choice.Writer->Description,
                          ColorResolutionName(choice.Current), ColorResolutionName(choice.Target)),
        .Type = platform::TMsgDlgType::mtWarning,
        .Buttons = {platform::TMsgDlgBtn::mbOK},
    };
    if (action == pgwaOKBox) {
        platform::ShowMessageBox(box);
        return true;
    }
    box.Buttons.push_back(platform::TMsgDlgBtn::mbCancel);
    return platform::ShowMessageBox(box) == platform::TModalResult::mrOK;
}

using TWriteAction = std::function<void(TFileFormatWriter&, TPixelGraphic&)>;

void SaveThroughWriter(TPixelGraphic& image, std::string_view extension, const TWriteAction& write) {
    const TWriterChoice choice = ChooseWriter(image, extension);
    if (choice.Target == choice.Current) {
        image.UpdatePaletteIdent();
        write(*choice.Writer, image);
        return;
    }
    if (!ConversionAccepted(image, choice))
        PGRaise<EPGCannotWriteColorRes>(msg::CannotSaveColorRes, choice.Writer->Description,
                                        ColorResolutionName(choice.Current));
    const auto converted = ConvertToResolution(image, choice.Target);
    write(*choice.Writer, *converted);
}

// Brings pixel data of another gamma to DisplayGamma.
void CorrectGamma(TPixelGraphic& image) {
    const long double exponent = image.Gamma() / DisplayGamma;
    // A damaged gamma value (zero, negative, not a number) is left alone rather than applied.
    if (!GammaCorrection || !(exponent > 0) || !std::isfinite(exponent) || std::fabs(exponent - 1) <= 0.05L)
        return;
    std::array<std::uint8_t, 256> t{};
    for (int i = 1; i < 256; ++i)
        t[std::size_t(i)] =
            std::uint8_t(std::nearbyintl(255.0L * std::pow((long double)i / 255.0L, exponent)));
    if (image.PixelFormat() == pf24Bit) {
        for (std::int32_t y = 0; y < image.Height(); ++y) {
            std::uint8_t* row = image.ScanLine(y);
            for (std::int32_t i = 0; i < 3 * image.Width(); ++i) row[i] = t[row[i]];
        }
    } else {
        for (std::int32_t i = 0; i < image.PaletteCount(); ++i) {
            const TRGB c = image.GetPaletteEntry(i);
            image.SetPaletteEntry(i, RGB(t[GetRValue(c)], t[GetGValue(c)], t[GetBValue(c)]));
        }
    }
    image.SetGamma(DisplayGamma);
}

} // namespace

void TPixelGraphic::LoadFromFile(const std::string& FileName) {
    LoadIndexFromFile(FileName, 0);
}

void TPixelGraphic::LoadIndexFromFile(const std::string& FileName, int ImageIndex) {
    platform::TFileStream file(FileName, platform::TFileStream::TMode::OpenRead);
    LoadIndexFromStream(file, ExtensionOf(FileName), ImageIndex);
}

void TPixelGraphic::LoadFromStream(platform::TStream& Stream) {
    LoadIndexFromStream(Stream, "", 0);
}

void TPixelGraphic::LoadIndexFromStream(platform::TStream& Stream, std::string_view Extension,
                                        int ImageIndex) {
    BeginUpdate();
    try {
        SetSize(0, 0, pf24Bit);
        FGamma = DisplayGamma;
        TFileFormatReader* reader = FindReader(Stream, Extension);
        if (!reader) PGRaise<EPGUnknownFileFormat>(msg::UnknownFileFormat);
        reader->Read(Stream, *this, ImageIndex);
        CorrectGamma(*this);
        UpdatePaletteIdent();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TPixelGraphic::SaveToFile(const std::string& FileName) {
    // The new file is written beside the target and renamed over it when complete, so a failed
    // save neither leaves a partial file nor damages one that was there before.
    SaveThroughWriter(*this, ExtensionOf(FileName), [&](TFileFormatWriter& writer, TPixelGraphic& image) {
        platform::TReplacingFileStream file(FileName);
        writer.Write(file, image);
        file.Commit();
    });
}

void TPixelGraphic::SaveToStreamAs(platform::TStream& Stream, std::string_view Extension) {
    SaveThroughWriter(*this, Extension,
                      [&](TFileFormatWriter& writer, TPixelGraphic& image) { writer.Write(Stream, image); });
}

void TPixelGraphic::SaveToStream(platform::TStream& Stream) {
    static TBMPFileFormatWriter ownBmpWriter;
    ownBmpWriter.Write(Stream, *this);
}

void TPixelGraphic::WriteData(platform::TStream& Stream) {
    const std::int64_t start = Stream.Position();
    const std::uint8_t placeholder[4] = {};
    Stream.WriteBuffer(placeholder, 4);
    SaveToStream(Stream);
    const std::int64_t end = Stream.Position();
    const auto length = std::uint32_t(end - start - 4);
    const std::uint8_t bytes[4] = {std::uint8_t(length), std::uint8_t(length >> 8),
                                   std::uint8_t(length >> 16), std::uint8_t(length >> 24)};
    Stream.SetPosition(start);
    Stream.WriteBuffer(bytes, 4);
    Stream.SetPosition(end);
}

void TPixelGraphic::ReadData(platform::TStream& Stream) {
    std::uint8_t bytes[4];
    Stream.ReadBuffer(bytes, 4);
    const std::uint32_t length =
        std::uint32_t(bytes[0] | bytes[1] << 8 | bytes[2] << 16) | std::uint32_t(bytes[3]) << 24;
    const std::int64_t start = Stream.Position();
    LoadIndexFromStream(Stream, "bmp", 0);
    Stream.SetPosition(start + length);
}

void TPixelGraphic::ReadDIB(platform::TStream& Stream, bool CoreHeader) {
    pg::ReadDIB(Stream, *this, CoreHeader);
}

void TPixelGraphic::WriteDIB(platform::TStream& Stream) {
    pg::WriteDIB(Stream, *this);
}

TClipboardData TPixelGraphic::SaveToClipboardFormat() {
    platform::TMemoryStream packed;
    WriteDIB(packed);
    auto block = std::make_shared<platform::TGlobalMemoryBlock>();
    block->Bytes = packed.TakeBytes();
    return {CF_DIB, std::move(block), 0};
}

void TPixelGraphic::LoadFromClipboardFormat(std::uint16_t Format, const platform::HGLOBAL& Data,
                                            std::uintptr_t) {
    if ((Format != CF_BITMAP && Format != CF_DIB) || !Data)
        PGRaise<EPGUnknownClipboardFormat>(msg::UnknownClipboardFormat);
    platform::TMemoryStream packed(Data->Bytes);
    BeginUpdate();
    try {
        ReadDIB(packed, false);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    FGamma = DisplayGamma;
    UpdatePaletteIdent();
}

} // namespace pg
