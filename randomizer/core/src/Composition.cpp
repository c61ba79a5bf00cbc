// TfmZephrix: painting the backgrounds and laying out the texts of the two logos.
#include "platform/FileSystem.h"
#include "randomizer/MainForm.h"
#include "randomizer/SystemColors.h"

#include <algorithm>
#include <cstdlib>

namespace zephrix {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 400;
constexpr int kOneTextMaxHeight = 360;
constexpr int kTwoTextsMaxHeight = 350;
constexpr int kGap = 10;
// Fitting never goes below this size; a text too large even then is drawn at it, clipped.
constexpr int kSmallestSize = 1;

void FillRows(pg::TPixelGraphic& image, int y, pg::TRGB color) {
    std::uint8_t* row = image.ScanLine(y);
    for (int x = 0; x < kWidth; ++x) {
        row[3 * x] = pg::GetBValue(color);
        row[3 * x + 1] = pg::GetGValue(color);
        row[3 * x + 2] = pg::GetRValue(color);
    }
}

} // namespace

pg::TRGB TfmZephrix::ShadeColor(TColor Color, int Percent) {
    const pg::TRGB rgb = ColorToRGB(Color);
    const int target = Percent > 0 ? 255 : 0;
    const int p = std::abs(Percent);
    auto shade = [&](int c) { return std::uint8_t(c + (target - c) * p / 100); };
    return pg::RGB(shade(pg::GetRValue(rgb)), shade(pg::GetGValue(rgb)), shade(pg::GetBValue(rgb)));
}

void TfmZephrix::BackChange(int Logo) {
    if (Loading) return;
    if (!(Logo == 1 ? cbOnlyLast : cbOnlyFirst).Checked()) DrawBackground(GetBackOptions(Logo));
    Changes(Logo);
}

void TfmZephrix::FirstBackChange() {
    BackChange(1);
}
void TfmZephrix::LastBackChange() {
    BackChange(2);
}

void TfmZephrix::Changes(int Logo) {
    if (Loading) return;
    const bool first = Logo == 1;
    pg::TPixelGraphic& logo = first ? *FirstLogo : *LastLogo;
    // In one-logo mode both logos show the chosen logo's background.
    const bool firstBackground = first ? !cbOnlyLast.Checked() : cbOnlyFirst.Checked();
    logo.Copy(firstBackground ? *FirstBack : *LastBack);
    LayoutLogo(GetLogoOptions(Logo));
    (first ? ImFirst : ImLast).SetPixelGraphic(logo);
}

void TfmZephrix::ChangesFirst() {
    Changes(1);
}
void TfmZephrix::ChangesLast() {
    Changes(2);
}

TBackOptions TfmZephrix::GetBackOptions(int Logo) const {
    const bool first = Logo == 1;
    const TRadioGroup& kind = first ? rgFirstBackground : rgLastBackground;
    TBackOptions o;
    o.Image = first ? FirstBack.get() : LastBack.get();
    o.Color1 = kind.ItemIndex() == 0 ? (first ? bcFirstSingleColor : bcLastSingleColor).Color()
                                     : (first ? bcFirstColor1 : bcLastColor1).Color();
    o.Color2 = (first ? bcFirstColor2 : bcLastColor2).Color();
    o.Bitmap = first ? FirstBitmap : LastBitmap;
    o.Kind = kind.ItemIndex();
    return o;
}

TLogoOptions TfmZephrix::GetLogoOptions(int Logo) const {
    auto fontOf = [](const TFontList& font, const TSpinEdit& size, const TColorButton& color,
                     const TCheckBox& bold, const TCheckBox& italic) {
        return TFontOptions{font.SelectedName(), size.Value(), color.Color(), bold.Checked(),
                            italic.Checked()};
    };
    const TFontOptions firstFont = fontOf(FirstFont, seFirst, bcFirstFontColor, cbBoldFirst, cbItalicFirst);
    const TFontOptions lastFont = fontOf(LastFont, seLast, bcLastFontColor, cbBoldLast, cbItalicLast);
    TLogoOptions o;
    o.Image = Logo == 1 ? FirstLogo.get() : LastLogo.get();
    if (cbOnlyFirst.Checked() || cbOnlyLast.Checked()) {
        o.Font1 = firstFont;
        o.Font2 = lastFont;
        o.Shadow1 = bcFirstShadowColor.Color();
        o.Shadow2 = bcLastShadowColor.Color();
        o.Position = 1;
        o.Effect1 = rgFirstEffect.ItemIndex();
        o.Effect2 = rgLastEffect.ItemIndex();
        o.Text1 = FirstText;
        o.Text2 = LastText;
        o.Count = 2;
    } else if (Logo == 1) {
        o.Font1 = firstFont;
        o.Shadow1 = bcFirstShadowColor.Color();
        o.Position = rgFirst.ItemIndex();
        o.Effect1 = rgFirstEffect.ItemIndex();
        o.Text1 = FirstText;
    } else {
        o.Font1 = lastFont;
        o.Shadow1 = bcLastShadowColor.Color();
        o.Position = rgLast.ItemIndex();
        o.Effect1 = rgLastEffect.ItemIndex();
        o.Text1 = LastText;
    }
    return o;
}

void TfmZephrix::DrawBackground(const TBackOptions& Options) {
    if (Loading) return;
    pg::TPixelGraphic& image = *Options.Image;
    image.SetBackGroundColor(pg::RGB(0, 0, 0));
    image.Clear();
    if (Options.Kind == 0) {
        const pg::TRGB color = ColorToRGB(Options.Color1);
        for (int y = 0; y < kHeight; ++y) FillRows(image, y, color);
    } else if (Options.Kind == 1) {
        const pg::TRGB c1 = ColorToRGB(Options.Color1), c2 = ColorToRGB(Options.Color2);
        auto at = [](int a, int b, int y) { return std::uint8_t(a + (b - a) * y / kHeight); };
        for (int y = 0; y < kHeight; ++y)
            FillRows(image, y,
                     pg::RGB(at(pg::GetRValue(c1), pg::GetRValue(c2), y),
                             at(pg::GetGValue(c1), pg::GetGValue(c2), y),
                             at(pg::GetBValue(c1), pg::GetBValue(c2), y)));
    } else if (Options.Kind == 2 && platform::FileExists(Options.Bitmap)) {
        pg::TPixelGraphic picture;
        picture.SetReadWarningAction(pg::pgwaIgnore);
        picture.LoadFromFile(Options.Bitmap);
        image.Copy(picture);
    }
}

TFittedTexts FitTexts(const TLogoOptions& options, const TMeasureText& measure) {
    TFittedTexts fit{options.Font1.Size, options.Font2.Size, 0, 0, 0};
    TFontOptions font1 = options.Font1, font2 = options.Font2;
    if (options.Count == 1) {
        for (;;) {
            fit.Height1 = measure(font1, options.Text1);
            if (fit.Height1 <= kOneTextMaxHeight || font1.Size <= kSmallestSize) break;
            --font1.Size;
        }
        // A position group with nothing selected centres the text.
        fit.Top = options.Position == 0   ? 20
                  : options.Position == 2 ? 380 - fit.Height1
                                          : (kHeight - fit.Height1) / 2;
    } else {
        for (;;) {
            fit.Height1 = measure(font1, options.Text1);
            fit.Height2 = measure(font2, options.Text2);
            if (fit.Height1 + fit.Height2 <= kTwoTextsMaxHeight ||
                std::min(font1.Size, font2.Size) <= kSmallestSize)
                break;
            --font1.Size;
            --font2.Size;
        }
        fit.Top = (390 - fit.Height1 - fit.Height2) / 2;
    }
    fit.Size1 = font1.Size;
    fit.Size2 = font2.Size;
    return fit;
}

void TfmZephrix::LayoutLogo(TLogoOptions Options) {
    if (Loading) return;
    pg::TPixelGraphic& image = *Options.Image;
    const TFittedTexts fit = FitTexts(Options, [&](const TFontOptions& font, const std::string& text) {
        return MeasureText(image, font, text);
    });
    Options.Font1.Size = fit.Size1;
    Options.Font2.Size = fit.Size2;
    DrawLogoText(image, Options.Font1, Options.Shadow1, fit.Top, Options.Effect1, Options.Text1);
    if (Options.Count == 2)
        DrawLogoText(image, Options.Font2, Options.Shadow2, fit.Top + fit.Height1 + kGap, Options.Effect2,
                     Options.Text2);
}

} // namespace zephrix
