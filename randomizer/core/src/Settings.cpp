// TfmZephrix: the settings file next to the program.
#include "platform/ProfileFile.h"
#include "randomizer/MainForm.h"

#include <filesystem>

namespace zephrix {
namespace {

constexpr const char* kGeneral = "General";

} // namespace

std::string TfmZephrix::SettingsFile() const {
    std::filesystem::path path(FServices.ProgramPath);
    path.replace_extension(".INI");
    return path.string();
}

void TfmZephrix::LoadSettings() {
    const platform::TIniFile ini(SettingsFile());
    TextFile = ini.ReadString(kGeneral, "TextFile", "zephrix.txt");
    OnlyOne = ini.ReadInteger(kGeneral, "Only One", 0);

    const char* first = "First Logo";
    FirstFontName = ini.ReadString(first, "Font", "Arial");
    seFirst.SetValue(ini.ReadInteger(first, "Size", 18));
    rgFirst.SetItemIndex(ini.ReadInteger(first, "Position", 1));
    bcFirstFontColor.SetColor(ini.ReadInteger(first, "TextColor", 65280));
    bcFirstShadowColor.SetColor(ini.ReadInteger(first, "ShadowColor", 0));
    rgFirstEffect.SetItemIndex(ini.ReadInteger(first, "Effect", 1));
    cbBoldFirst.SetChecked(ini.ReadBool(first, "Bold", false));
    cbItalicFirst.SetChecked(ini.ReadBool(first, "Italic", false));
    bcFirstSingleColor.SetColor(ini.ReadInteger(first, "Color1", 8421376));
    bcFirstColor1.SetColor(ini.ReadInteger(first, "Color2", 8421376));
    bcFirstColor2.SetColor(ini.ReadInteger(first, "Color3", 32768));
    FirstBitmap = ini.ReadString(first, "Bitmap", "");
    rgFirstBackground.SetItemIndex(ini.ReadInteger(first, "Background", 0));
    edFirst.SetText(ini.ReadString(first, "Line", "You can put your own text and colors here"));

    const char* last = "Last Logo";
    LastFontName = ini.ReadString(last, "Font", "Arial");
    seLast.SetValue(ini.ReadInteger(last, "Size", 18));
    rgLast.SetItemIndex(ini.ReadInteger(last, "Position", 1));
    bcLastFontColor.SetColor(ini.ReadInteger(last, "TextColor", 65535));
    rgLastEffect.SetItemIndex(ini.ReadInteger(last, "Effect", 1));
    cbBoldLast.SetChecked(ini.ReadBool(last, "Bold", false));
    cbItalicLast.SetChecked(ini.ReadBool(last, "Italic", false));
    bcLastShadowColor.SetColor(ini.ReadInteger(last, "ShadowColor", 128));
    bcLastSingleColor.SetColor(ini.ReadInteger(last, "Color1", 0));
    bcLastColor1.SetColor(ini.ReadInteger(last, "Color2", 8388608));
    bcLastColor2.SetColor(ini.ReadInteger(last, "Color3", 0));
    LastBitmap = ini.ReadString(last, "Bitmap", "");
    rgLastBackground.SetItemIndex(ini.ReadInteger(last, "Background", 0));
    edLast.SetText(ini.ReadString(last, "Line", "And here too. See the help file to find out how"));
}

void TfmZephrix::SaveSettings() {
    platform::TIniFile ini(SettingsFile());
    ini.WriteString(kGeneral, "TextFile", TextFile);
    OnlyOne = 0;
    if (cbOnlyFirst.Checked()) OnlyOne = 1;
    if (cbOnlyLast.Checked()) OnlyOne = 2;
    ini.WriteInteger(kGeneral, "Only One", OnlyOne);

    struct TPage {
        const char* Section;
        const TFontList& Font;
        const TSpinEdit& Size;
        const TRadioGroup& Position;
        const TColorButton& TextColor;
        const TColorButton& ShadowColor;
        const TRadioGroup& Effect;
        const TCheckBox& Bold;
        const TCheckBox& Italic;
        const TColorButton& Single;
        const TColorButton& Top;
        const TColorButton& Bottom;
        const TRadioGroup& Background;
        const std::string& Bitmap;
        const TEdit& Line;
    };
    const TPage pages[] = {
        {"First Logo", FirstFont, seFirst, rgFirst, bcFirstFontColor, bcFirstShadowColor, rgFirstEffect,
         cbBoldFirst, cbItalicFirst, bcFirstSingleColor, bcFirstColor1, bcFirstColor2, rgFirstBackground,
         FirstBitmap, edFirst},
        {"Last Logo", LastFont, seLast, rgLast, bcLastFontColor, bcLastShadowColor, rgLastEffect, cbBoldLast,
         cbItalicLast, bcLastSingleColor, bcLastColor1, bcLastColor2, rgLastBackground, LastBitmap, edLast},
    };
    for (const TPage& p : pages) {
        ini.WriteString(p.Section, "Font", p.Font.SelectedName());
        ini.WriteInteger(p.Section, "Size", p.Size.Value());
        ini.WriteInteger(p.Section, "Position", p.Position.ItemIndex());
        ini.WriteInteger(p.Section, "TextColor", p.TextColor.Color());
        ini.WriteInteger(p.Section, "ShadowColor", p.ShadowColor.Color());
        ini.WriteInteger(p.Section, "Effect", p.Effect.ItemIndex());
        ini.WriteBool(p.Section, "Bold", p.Bold.Checked());
        ini.WriteBool(p.Section, "Italic", p.Italic.Checked());
        ini.WriteInteger(p.Section, "Color1", p.Single.Color());
        ini.WriteInteger(p.Section, "Color2", p.Top.Color());
        ini.WriteInteger(p.Section, "Color3", p.Bottom.Color());
        ini.WriteInteger(p.Section, "Background", p.Background.ItemIndex());
        ini.WriteString(p.Section, "Bitmap", p.Bitmap);
        ini.WriteString(p.Section, "Line", p.Line.Text());
    }
}

} // namespace zephrix
