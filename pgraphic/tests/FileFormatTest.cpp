// The reader and writer lists, reader detection, image information, gamma correction and the
// colour-resolution negotiation of saving.
#include "pgraphic/FileFormat.h"

#include "BmpFixtures.h"
#include "pgraphic/Messages.h"
#include "pgraphic/PixelGraphic.h"
#include "platform/MessageBox.h"
#include "platform/Stream.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace pg {
namespace {

namespace fs = std::filesystem;

class TempDir {
public:
    TempDir() : FPath(fs::temp_directory_path() / ("pgraphic-formats-" + std::to_string(::getpid()))) {
        fs::create_directories(FPath);
    }
    ~TempDir() { fs::remove_all(FPath); }
    std::string File(const std::string& name) const { return (FPath / name).string(); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(FPath)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    fs::path FPath;
};

// Registers a format for the lifetime of a test.
template <class T> class Registered {
public:
    template <class... Args> explicit Registered(Args&&... args) {
        auto object = std::make_unique<T>(std::forward<Args>(args)...);
        FObject = object.get();
        if constexpr (std::is_base_of_v<TFileFormatReader, T>)
            RegisterFileFormatReader(std::move(object));
        else
            RegisterFileFormatWriter(std::move(object));
    }
    ~Registered() {
        if constexpr (std::is_base_of_v<TFileFormatReader, T>)
            UnregisterFileFormatReader(FObject);
        else
            UnregisterFileFormatWriter(FObject);
    }
    T* operator->() { return FObject; }

private:
    T* FObject;
};

// A reader without a signature: found only by its extension. It makes a 1 x 1 picture of the
// given gamma so that the loader's gamma correction can be watched.
class TGammaReader : public TFileFormatReader {
public:
    explicit TGammaReader(std::string extension) : TFileFormatReader(std::move(extension), "Gamma test") {}
    std::string ClassName() const override { return "TGammaReader"; }
    void Read(platform::TStream&, TPixelGraphic& g, int) override {
        g.SetSize(1, 1, Format);
        if (Format == pf24Bit) {
            g.SetPixel(0, 0, RGB(128, 64, 255));
        } else {
            g.SetPaletteCount(1);
            g.SetPaletteEntry(0, RGB(128, 64, 255));
        }
        g.SetGamma(FileGamma);
    }
    long double FileGamma = 1.0L;
    TPixelFormat Format = pf24Bit;
};

// A writer that stores only 256 shades of gray and records what it was given.
class TGrayWriter : public TFileFormatWriter {
public:
    explicit TGrayWriter(TColorResolutions canWrite = ResolutionSet({cr256Grays}))
        : TFileFormatWriter("gry", "Gray test", canWrite) {}
    std::string ClassName() const override { return "TGrayWriter"; }
    void Write(platform::TStream& stream, TPixelGraphic& g) override {
        if (FailWhileWriting) {
            stream.WriteBuffer("partial", 7);
            throw std::runtime_error("disk full");
        }
        Format = g.PixelFormat();
        Ident = g.PaletteIdent();
        Pixel = g.GetPixel(0, 0);
        stream.WriteBuffer("gray", 4);
    }
    bool FailWhileWriting = false;
    TPixelFormat Format = pf24Bit;
    TPaletteIdent Ident = pNone;
    std::uint32_t Pixel = 0;
};

std::vector<std::string> Extensions(const auto& list) {
    std::vector<std::string> out;
    for (const auto& item : list) out.push_back(item->Extension);
    return out;
}

TEST(FileFormats, ListsAreSortedByExtensionAsTheyGrow) {
    auto isSorted = [](const std::vector<std::string>& v) { return std::is_sorted(v.begin(), v.end()); };
    const auto readers = Extensions(FileFormatReaders());
    const auto writers = Extensions(FileFormatWriters());
    EXPECT_TRUE(isSorted(readers));
    EXPECT_TRUE(isSorted(writers));
    for (const char* ext : {"bmp", "dib", "rle"})
        EXPECT_NE(std::find(readers.begin(), readers.end(), ext), readers.end());
    for (const char* ext : {"bmp", "dib"})
        EXPECT_NE(std::find(writers.begin(), writers.end(), ext), writers.end());

    Registered<TGrayWriter> late;
    late->Extension = "AAA";
    EXPECT_EQ(FileFormatWriters().front()->Extension, "AAA");
    EXPECT_TRUE(isSorted(Extensions(FileFormatWriters())));
    const auto& bmp = *std::find_if(FileFormatWriters().begin(), FileFormatWriters().end(),
                                    [](const auto& w) { return w->Extension == "bmp"; });
    EXPECT_TRUE(bmp->ListInFilter);
    const auto& dib = *std::find_if(FileFormatWriters().begin(), FileFormatWriters().end(),
                                    [](const auto& w) { return w->Extension == "dib"; });
    EXPECT_FALSE(dib->ListInFilter);
    EXPECT_EQ(dib->CanWriteResolutions, kAllColorResolutions);
}

TEST(FileFormats, ContentWinsOverTheExtension) {
    Registered<TGammaReader> tga("tga");
    const auto bmp = test::BmpWithInfoHeader({}).Zeros(4).Bytes();
    platform::TMemoryStream bmpStream(bmp);
    bmpStream.SetPosition(0);
    TFileFormatReader* found = FindReader(bmpStream, ".tga");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->ClassName(), "TBMPFileFormatReader");
    EXPECT_EQ(bmpStream.Position(), 0);

    platform::TMemoryStream other(std::vector<std::uint8_t>{1, 2, 3});
    EXPECT_EQ(FindReader(other, "TGA"), tga.operator->());
    // Readers with a signature are never chosen by extension, and a stream alone has none.
    EXPECT_EQ(FindReader(other, "bmp"), nullptr);
    EXPECT_EQ(FindReader(other, ""), nullptr);
    TPixelGraphic g;
    EXPECT_THROW(g.LoadFromStream(other), EPGUnknownFileFormat);
}

TEST(FileFormats, ImageInfoForFiles) {
    TempDir dir;
    const auto bytes =
        test::BmpWithInfoHeader({.Width = 5, .Height = 6, .BitCount = 24}).Zeros(6 * 16).Bytes();
    std::ofstream(dir.File("a.bmp"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    std::ofstream(dir.File("junk.bmp")) << "not a picture";
    TPGImageInfo info;
    ASSERT_TRUE(GetImageInfo(dir.File("a.bmp"), 0, info));
    EXPECT_EQ(info.Description, "Bitmap");
    EXPECT_EQ(info.Width, 5);
    EXPECT_EQ(info.Height, 6);
    EXPECT_FALSE(GetImageInfo(dir.File("junk.bmp"), 0, info));
    EXPECT_FALSE(GetImageInfo(dir.File("missing.bmp"), 0, info));
    EXPECT_FALSE(GetImageInfo("", 0, info));
}

TEST(FileFormats, ExtensionsOfFileNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"a.BMP", "bmp"}, {"/x/y.tar.gz", "gz"}, {"noext", ""}, {"/dir.d/file", ""}, {"trailing.", ""}};
    for (auto [name, ext] : cases) EXPECT_EQ(ExtensionOf(name), ext) << name;
}

TEST(Loading, GammaIsCorrectedToTheDisplayGamma) {
    Registered<TGammaReader> reader("gam");
    auto expected = [](int v, long double gamma) {
        return std::uint8_t(std::nearbyintl(255.0L * std::pow(v / 255.0L, gamma / 1.8L)));
    };
    struct Case {
        long double gamma;
        bool switchOn;
        TPixelFormat format;
        bool corrected;
    };
    const Case cases[] = {
        {1.0L, true, pf24Bit, true},   {1.0L, true, pf8Bit, true},  {1.0L, false, pf24Bit, false},
        {1.85L, true, pf24Bit, false}, {2.2L, true, pf24Bit, true}, {0.0L, true, pf24Bit, false},
    };
    for (const auto& c : cases) {
        reader->FileGamma = c.gamma;
        reader->Format = c.format;
        GammaCorrection = c.switchOn;
        TPixelGraphic g;
        platform::TMemoryStream s(std::vector<std::uint8_t>{0});
        g.LoadIndexFromStream(s, "gam", 0);
        GammaCorrection = true;
        const TRGB want =
            c.corrected ? RGB(expected(128, c.gamma), expected(64, c.gamma), 255) : RGB(128, 64, 255);
        EXPECT_EQ(g.GetPixelColor(0, 0), want)
            << double(c.gamma) << " " << c.switchOn << " " << int(c.format);
        EXPECT_EQ(g.Gamma(), c.corrected ? 1.8L : c.gamma);
    }
}

TEST(Saving, UnknownExtensionLeavesNoFile) {
    TempDir dir;
    TPixelGraphic g;
    g.SetSize(2, 2, pf24Bit);
    try {
        g.SaveToFile(dir.File("out.XYZ"));
        FAIL();
    } catch (const EPGUnknownExtension& e) {
        EXPECT_STREQ(e.what(), "Unknown file extension \"xyz\"");
    }
    EXPECT_TRUE(dir.Names().empty());
}

TEST(Saving, AFailedWriteLeavesAnExistingFileAndNoLeftovers) {
    TempDir dir;
    Registered<TGrayWriter> writer(kAllColorResolutions);
    writer->FailWhileWriting = true;
    TPixelGraphic g;
    g.SetSize(2, 2, pf24Bit);
    std::ofstream(dir.File("kept.gry")) << "precious";
    EXPECT_THROW(g.SaveToFile(dir.File("kept.gry")), std::runtime_error);
    EXPECT_THROW(g.SaveToFile(dir.File("new.gry")), std::runtime_error);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"kept.gry"});
    std::ifstream in(dir.File("kept.gry"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "precious");
}

TEST(Saving, WriterWithoutUsableResolutions) {
    Registered<TGrayWriter> writer(TColorResolutions(0));
    TPixelGraphic g;
    g.SetSize(1, 1, pf24Bit);
    platform::TMemoryStream s;
    try {
        g.SaveToStreamAs(s, ".gry");
        FAIL();
    } catch (const EPGCanWriteResolutionsEmpty& e) {
        EXPECT_STREQ(e.what(), "TGrayWriter.CanWriteResolutions is empty");
    }
}

TEST(Saving, ColourResolutionFollowsTheWarningAction) {
    struct Case {
        TPGWarningAction action;
        platform::TModalResult answer;
        bool converts;
        int boxes;
        std::size_t buttons;
    };
    const Case cases[] = {
        {pgwaIgnore, platform::TModalResult::mrOK, true, 0, 0},
        {pgwaOKBox, platform::TModalResult::mrOK, true, 1, 1},
        {pgwaOKCancelBox, platform::TModalResult::mrOK, true, 1, 2},
        {pgwaOKCancelBox, platform::TModalResult::mrCancel, false, 1, 2},
        {pgwaRaise, platform::TModalResult::mrOK, false, 0, 0},
    };
    for (const auto& c : cases) {
        Registered<TGrayWriter> writer;
        std::vector<platform::TMessageBoxRequest> boxes;
        platform::TScopedMessageBoxHandler recorder([&](const platform::TMessageBoxRequest& r) {
            boxes.push_back(r);
            return c.answer;
        });
        TPixelGraphic g;
        g.SetSize(2, 2, pf24Bit);
        g.SetPixel(0, 0, RGB(30, 60, 90));
        g.SetSaveColorResWarningAction(c.action);
        platform::TMemoryStream s;
        if (c.converts) {
            g.SaveToStreamAs(s, "gry");
            EXPECT_EQ(writer->Format, pf8Bit);
            EXPECT_EQ(writer->Ident, pGray256);
            EXPECT_EQ(s.Bytes().size(), 4u);
        } else {
            try {
                g.SaveToStreamAs(s, "gry");
                ADD_FAILURE() << "no exception for action " << int(c.action);
            } catch (const EPGCannotWriteColorRes& e) {
                EXPECT_STREQ(e.what(),
                             "The graphic cannot be saved with to a Gray test file with the current color "
                             "resolution (16.7 million colors)");
            }
            EXPECT_TRUE(s.Bytes().empty());
        }
        ASSERT_EQ(int(boxes.size()), c.boxes) << int(c.action);
        if (c.boxes) {
            EXPECT_EQ(boxes[0].Caption, "Warning");
            EXPECT_EQ(boxes[0].Text,
                      "The graphic cannot be saved to a Gray test file with the current color resolution "
                      "(16.7 million colors).\r\rThe graphic will be saved with a different color "
                      "resolution (256 shades of gray).");
            EXPECT_EQ(boxes[0].Buttons.size(), c.buttons);
        }
        // The image being saved is never changed.
        EXPECT_EQ(g.PixelFormat(), pf24Bit);
        EXPECT_EQ(g.GetPixel(0, 0), RGB(30, 60, 90));
    }
}

TEST(Saving, ResolutionOfEachFormatAndIdentity) {
    struct Case {
        TPixelFormat format;
        TPaletteIdent ident;
        TColorResolution resolution;
    };
    const Case cases[] = {
        {pf1Bit, pBlackWhite, crBlackWhite}, {pf1Bit, pUnknown, cr2Colors},
        {pf4Bit, pSys16, cr16SystemColors},  {pf4Bit, pGray16, cr16Grays},
        {pf4Bit, pUnknown, cr16Colors},      {pf8Bit, pGray256, cr256Grays},
        {pf8Bit, pSpecial216, cr256Colors},  {pf24Bit, pTrueColor, crTrueColor},
    };
    for (const auto& c : cases) {
        TPixelGraphic g;
        g.SetSize(1, 1, c.format);
        if (c.ident == pUnknown)
            g.SetPaletteCount(2);
        else
            g.SetPaletteIdent(c.ident);
        EXPECT_EQ(ColorResolutionOf(g), c.resolution) << int(c.format) << "/" << int(c.ident);
    }
    EXPECT_EQ(ColorResolutionName(cr16SystemColors), "16 system colors");
}

} // namespace
} // namespace pg
