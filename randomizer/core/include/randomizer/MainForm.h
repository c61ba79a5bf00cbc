// TfmZephrix: the main window's state and every handler of the logo randomizer, headless. The Qt
// window binds its widgets to the controls below; nothing here knows about a display.
#pragma once

#include "pgraphic/PixelGraphic.h"
#include "platform/MessageBox.h"
#include "randomizer/Controls.h"
#include "randomizer/LogoOptions.h"
#include "randomizer/RandomSource.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zephrix {

// What the window needs from its surroundings; each has a headless default.
struct TFormServices {
    // Full path of the program; its folder holds the settings, the message files and the backups.
    std::string ProgramPath;
    // The installed font families, sorted.
    std::function<std::vector<std::string>()> FontFamilies;
    // The random draws of message picks.
    std::shared_ptr<TRandomSource> Random;
    // The picture-open dialog: the chosen file, or nothing when cancelled.
    std::function<std::optional<std::string>(const std::string& initialFile)> OpenPicture;
    // Opens a web page or the help in the desktop's viewer.
    std::function<void(const std::string& target)> OpenDocument;
    // Shows a logo over the whole screen until it is clicked.
    std::function<void(const pg::TPixelGraphic& logo)> ShowPreview;
    // Lets the window repaint before a long operation.
    std::function<void()> ProcessMessages;
    // Closes the window, ending the program.
    std::function<void()> Close;
    // Asks the message loop to end the program.
    std::function<void()> Terminate;
};

inline constexpr const char* kApplicationTitle = "Logo Randomizer";
inline constexpr const char* kWindowCaption = "Shutdown logos Randomizer - Version 2.0.2";
inline constexpr const char* kHelpFile = "zephrix.hlp";

class TfmZephrix {
public:
    explicit TfmZephrix(TFormServices services);
    ~TfmZephrix();
    TfmZephrix(const TfmZephrix&) = delete;
    TfmZephrix& operator=(const TfmZephrix&) = delete;

    // Life cycle.
    void FormCreate(const std::vector<std::string>& arguments);
    void FormShow();
    void FormDestroy();
    void AutoRun();

    // Settings.
    void LoadSettings();
    void SaveSettings();
    std::string SettingsFile() const;

    // Messages.
    void PickMessage();
    std::string ReadDescription(const std::string& FileName) const;
    void ReadMessage(const std::string& FileName, std::vector<std::string>& Lines, bool StripPrefixes);

    // Handlers of the window.
    void FilesClick();
    void FilesMouseUp(TMouseButton Button);
    void btRandClick();
    void btUseClick();
    void btSaveLogosClick();
    void btSaveExitClick();
    void btNavigateClick();
    void btHelpClick();
    void btPreview1Click();
    void btPreview2Click();
    void PagesChange();
    void cbOnlyClick();
    void rgFirstBackgroundClick();
    void rgLastBackgroundClick();
    void rgFirstEffectClick();
    void rgLastEffectClick();
    void DefaultChange();
    void btFirstSelectClick();
    void btLastSelectClick();

    // Composition.
    void FirstBackChange();
    void LastBackChange();
    void ChangesFirst();
    void ChangesLast();
    TBackOptions GetBackOptions(int Logo) const;
    TLogoOptions GetLogoOptions(int Logo) const;
    void DrawBackground(const TBackOptions& Options);
    int MeasureText(pg::TPixelGraphic& Image, const TFontOptions& Font, const std::string& Text) const;
    void DrawLogoText(pg::TPixelGraphic& Image, const TFontOptions& Font, TColor ShadowColor, int Top,
                      int Effect, const std::string& Text) const;
    void LayoutLogo(TLogoOptions Options);
    // A lighter (Percent > 0) or darker shade of Color.
    static pg::TRGB ShadeColor(TColor Color, int Percent);

    // Installation.
    void InstallLogos();
    void BackupLogos();
    void BackupFile(const std::string& Name);

    // Startup shortcut.
    void btStartClick();
    void CreateStartupShortcut();

    // Reports an error the way the application's error box does.
    void ShowError(const std::exception& error) const;
    // Runs a handler as the message loop does: an error is reported and the program goes on.
    void Dispatch(const std::function<void()>& handler);

    // Module-level state.
    bool Loading = true;
    int OnlyOne = 0;
    std::string ExeDir;
    std::string WinDir;
    std::string TextFile;
    std::string HeaderDescription;
    std::string FirstFontName, LastFontName;
    std::string FirstBitmap, LastBitmap;
    std::string FirstDefault, LastDefault;
    std::string FirstText, LastText;
    std::unique_ptr<pg::TPixelGraphic> FirstLogo, LastLogo, FirstBack, LastBack;

    // Where the window is on the screen; message boxes are placed relative to it.
    int WindowLeft = 0;
    int WindowTop = 0;

    // Controls. Page "General".
    TPageControl Pages{"Pages", {"General", "First", "Last"}};
    TLabel Label2{"Label2", "Text File to use:"};
    TFileList Files{"Files"};
    TLabel Label10{"Label10", "Question:"};
    TEdit Edit1{"Edit1"};
    TLabel Label11{"Label11", "Answer:"};
    TEdit Memo1{"Memo1"};
    TButton btRand{"btRand", "Select"};
    TButton btUse{"btUse", "Use"};
    TButton btSaveLogos{"btSaveLogos", "Save Logos"};
    TButton btNavigate{"btNavigate", "About Zephrix"};
    TButton btStart{"btStart", "Create a shortcut in the Startup Group"};
    TButton btHelp{"btHelp", "Help"};
    TButton btSaveExit{"btSaveExit", "Save Changes and Exit"};

    // Page "First" (First Logo).
    TLabel Label6{"Label6", "Text settings"};
    TFontList FirstFont{"FirstFont"};
    TLabel Label7{"Label7", "Text Color"};
    TColorButton bcFirstFontColor{"bcFirstFontColor"};
    TSpinEdit seFirst{"seFirst", 8, 72};
    TRadioGroup rgFirstEffect{"rgFirstEffect", "Text Effect", {"Nothing", "Shadow", "3D"}};
    TColorButton bcFirstShadowColor{"bcFirstShadowColor"};
    TCheckBox cbBoldFirst{"cbBoldFirst", "Bold"};
    TCheckBox cbItalicFirst{"cbItalicFirst", "Italic"};
    TLabel Label8{"Label8", "Background Settings"};
    TRadioGroup rgFirstBackground{"rgFirstBackground", "", {"Single", "Degraded", "Bitmap"}};
    TColorButton bcFirstSingleColor{"bcFirstSingleColor"};
    TColorButton bcFirstColor1{"bcFirstColor1"};
    TColorButton bcFirstColor2{"bcFirstColor2"};
    TButton btFirstSelect{"btFirstSelect", "Select"};
    TRadioGroup rgFirst{"rgFirst", "", {"", "", ""}};
    TImageView ImFirst{"ImFirst"};
    TLabel Label9{"Label9", "Default Text:"};
    TEdit edFirst{"edFirst"};
    TCheckBox cbOnlyFirst{"cbOnlyFirst", "Use Only the first logo (Question on top answer on bottom)"};
    TButton btPreview1{"btPreview1", "Preview"};

    // Page "Last" (Second Logo).
    TLabel Label4{"Label4", "Text settings"};
    TFontList LastFont{"LastFont"};
    TLabel Label5{"Label5", "Text Color"};
    TColorButton bcLastFontColor{"bcLastFontColor"};
    TSpinEdit seLast{"seLast", 8, 72};
    TRadioGroup rgLastEffect{"rgLastEffect", "Text Effect", {"Nothing", "Shadow", "3D"}};
    TColorButton bcLastShadowColor{"bcLastShadowColor"};
    TCheckBox cbBoldLast{"cbBoldLast", "Bold"};
    TCheckBox cbItalicLast{"cbItalicLast", "Italic"};
    TLabel Label3{"Label3", "Background settings"};
    TRadioGroup rgLastBackground{"rgLastBackground", "", {"Single", "Degraded", "Bitmap"}};
    TColorButton bcLastSingleColor{"bcLastSingleColor"};
    TColorButton bcLastColor1{"bcLastColor1"};
    TColorButton bcLastColor2{"bcLastColor2"};
    TButton btLastSelect{"btLastSelect", "Select"};
    TRadioGroup rgLast{"rgLast", "", {"", "", ""}};
    TImageView ImLast{"ImLast"};
    TLabel Label1{"Label1", "Default Text:"};
    TEdit edLast{"edLast"};
    TCheckBox cbOnlyLast{"cbOnlyLast", "Use Only the second logo (Question on top answer on bottom)"};
    TButton btPreview2{"btPreview2", "Preview"};

private:
    void BindHandlers();
    platform::TModalResult ShowBox(const std::string& text, platform::TMsgDlgType type,
                                   std::vector<platform::TMsgDlgBtn> buttons) const;
    void InstallLogo(const pg::TPixelGraphic& logo, const std::string& bmpName, const std::string& sysName);
    void BackChange(int Logo);
    void Changes(int Logo);
    void BackgroundClick(int Logo);
    void SelectBitmap(int Logo);

    TFormServices FServices;
};

} // namespace zephrix
