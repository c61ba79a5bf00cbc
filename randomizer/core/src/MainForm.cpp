// TfmZephrix: construction, the window's life cycle, automatic mode, message boxes and the
// handlers of the main window's controls.
#include "randomizer/MainForm.h"

#include "platform/FileSystem.h"
#include "platform/Folders.h"

#include <algorithm>
#include <cctype>

namespace zephrix {
namespace {

std::string Upper(std::string s) {
    for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

TfmZephrix::TfmZephrix(TFormServices services) : FServices(std::move(services)) {
    if (!FServices.Random) FServices.Random = std::make_shared<TClockRandomSource>();
    BindHandlers();
}

TfmZephrix::~TfmZephrix() = default;

void TfmZephrix::BindHandlers() {
    Pages.OnChange = [this] { PagesChange(); };
    Files.OnClick = [this] { FilesClick(); };
    Files.OnMouseUp = [this](TMouseButton button) { FilesMouseUp(button); };
    btRand.OnClick = [this] { btRandClick(); };
    btUse.OnClick = [this] { btUseClick(); };
    btSaveLogos.OnClick = [this] { btSaveLogosClick(); };
    btNavigate.OnClick = [this] { btNavigateClick(); };
    btStart.OnClick = [this] { btStartClick(); };
    btHelp.OnClick = [this] { btHelpClick(); };
    btSaveExit.OnClick = [this] { btSaveExitClick(); };

    const TNotifyEvent changesFirst = [this] { ChangesFirst(); };
    const TNotifyEvent changesLast = [this] { ChangesLast(); };
    const TNotifyEvent firstBackChange = [this] { FirstBackChange(); };
    const TNotifyEvent lastBackChange = [this] { LastBackChange(); };
    const TNotifyEvent defaultChange = [this] { DefaultChange(); };
    const TNotifyEvent onlyClick = [this] { cbOnlyClick(); };

    FirstFont.OnChange = bcFirstFontColor.OnChange = seFirst.OnChange = changesFirst;
    bcFirstShadowColor.OnChange = cbBoldFirst.OnClick = cbItalicFirst.OnClick = rgFirst.OnClick =
        changesFirst;
    rgFirstEffect.OnClick = [this] { rgFirstEffectClick(); };
    rgFirstBackground.OnClick = [this] { rgFirstBackgroundClick(); };
    bcFirstSingleColor.OnChange = bcFirstColor1.OnChange = bcFirstColor2.OnChange = firstBackChange;
    btFirstSelect.OnClick = [this] { btFirstSelectClick(); };
    edFirst.OnChange = defaultChange;
    cbOnlyFirst.OnClick = onlyClick;
    btPreview1.OnClick = [this] { btPreview1Click(); };

    LastFont.OnChange = bcLastFontColor.OnChange = seLast.OnChange = changesLast;
    bcLastShadowColor.OnChange = cbBoldLast.OnClick = cbItalicLast.OnClick = rgLast.OnClick = changesLast;
    rgLastEffect.OnClick = [this] { rgLastEffectClick(); };
    rgLastBackground.OnClick = [this] { rgLastBackgroundClick(); };
    bcLastSingleColor.OnChange = bcLastColor1.OnChange = bcLastColor2.OnChange = lastBackChange;
    btLastSelect.OnClick = [this] { btLastSelectClick(); };
    edLast.OnChange = defaultChange;
    cbOnlyLast.OnClick = onlyClick;
    btPreview2.OnClick = [this] { btPreview2Click(); };
}

void TfmZephrix::FormCreate(const std::vector<std::string>& arguments) {
    if (FServices.FontFamilies) {
        FirstFont.SetItems(FServices.FontFamilies());
        LastFont.SetItems(FirstFont.Items());
    }
    ExeDir = platform::FolderOf(FServices.ProgramPath);
    Files.SetDirectory(ExeDir.size() > 1 ? ExeDir.substr(0, ExeDir.size() - 1) : ExeDir);
    WinDir = platform::WindowsDirectory();
    for (auto* image : {&FirstLogo, &LastLogo, &FirstBack, &LastBack}) {
        *image = std::make_unique<pg::TPixelGraphic>();
        (*image)->SetSize(640, 400, pg::pf24Bit);
    }
    LoadSettings();
    if (!TextFile.empty() && platform::FileExists(TextFile)) {
        Files.SetFileName(TextFile);
        FilesClick();
    }
    FirstFont.SelectByName(FirstFontName);
    LastFont.SelectByName(LastFontName);
    cbOnlyFirst.SetChecked(OnlyOne == 1);
    cbOnlyLast.SetChecked(OnlyOne == 2);
    Pages.SetActivePage("General");
    Loading = false;
    FirstBackChange();
    LastBackChange();
    if (!arguments.empty() && Upper(arguments[0]) == "/AUTO") AutoRun();
}

void TfmZephrix::FormShow() {
    BackupLogos();
}

void TfmZephrix::FormDestroy() {
    FirstLogo.reset();
    LastLogo.reset();
    FirstBack.reset();
    LastBack.reset();
}

void TfmZephrix::AutoRun() {
    BackupLogos();
    ChangesFirst();
    ChangesLast();
    InstallLogos();
    if (FServices.Terminate) FServices.Terminate();
}

platform::TModalResult TfmZephrix::ShowBox(const std::string& text, platform::TMsgDlgType type,
                                           std::vector<platform::TMsgDlgBtn> buttons) const {
    static const char* const kCaptions[] = {"Warning", "Error", "Information", "Confirm", kApplicationTitle};
    return platform::ShowMessageBox({.Caption = kCaptions[int(type)],
                                     .Text = text,
                                     .Type = type,
                                     .Buttons = std::move(buttons),
                                     .Position = platform::TScreenPoint{WindowLeft + 100, WindowTop + 80}});
}

void TfmZephrix::ShowError(const std::exception& error) const {
    // The application's error box ends a sentence that does not end in punctuation.
    std::string text = error.what();
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    platform::ShowMessageBox(
        {.Caption = kApplicationTitle, .Text = text, .Type = platform::TMsgDlgType::mtError});
}

void TfmZephrix::Dispatch(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void TfmZephrix::PagesChange() {
    cbOnlyFirst.SetEnabled(!cbOnlyLast.Checked());
    cbOnlyLast.SetEnabled(!cbOnlyFirst.Checked());
    rgFirstBackground.SetVisible(!cbOnlyLast.Checked());
    rgLastBackground.SetVisible(!cbOnlyFirst.Checked());
    if (cbOnlyFirst.Checked() || cbOnlyLast.Checked()) {
        if (Pages.ActivePage() == "First")
            ChangesFirst();
        else if (Pages.ActivePage() == "Last")
            ChangesLast();
    }
}

void TfmZephrix::FilesClick() {
    TextFile = Files.FileName();
    PickMessage();
}

void TfmZephrix::FilesMouseUp(TMouseButton Button) {
    if (Button != TMouseButton::mbRight) return;
    Files.ClearSelection();
    TextFile.clear();
    PickMessage();
}

void TfmZephrix::btRandClick() {
    if (Files.ItemIndex() >= 0) PickMessage();
}

void TfmZephrix::btUseClick() {
    ChangesFirst();
    ChangesLast();
}

void TfmZephrix::btSaveLogosClick() {
    btSaveLogos.Caption = "Saving ...";
    btSaveLogos.SetEnabled(false);
    if (FServices.ProcessMessages) FServices.ProcessMessages();
    // The button comes back also after a failed installation, so that the user can try again.
    try {
        InstallLogos();
    } catch (...) {
        btSaveLogos.Caption = "Save Logos";
        btSaveLogos.SetEnabled(true);
        throw;
    }
    btSaveLogos.Caption = "Save Logos";
    btSaveLogos.SetEnabled(true);
}

void TfmZephrix::btSaveExitClick() {
    SaveSettings();
    if (FServices.Close) FServices.Close();
}

void TfmZephrix::btNavigateClick() {
    if (FServices.OpenDocument) FServices.OpenDocument(ExeDir + "zephrix.html#about");
}

void TfmZephrix::btHelpClick() {
    if (FServices.OpenDocument) FServices.OpenDocument(ExeDir + "zephrix.html");
}

void TfmZephrix::btPreview1Click() {
    if (FServices.ShowPreview) FServices.ShowPreview(*FirstLogo);
}

void TfmZephrix::btPreview2Click() {
    if (FServices.ShowPreview) FServices.ShowPreview(*LastLogo);
}

void TfmZephrix::SelectBitmap(int Logo) {
    std::string& bitmap = Logo == 1 ? FirstBitmap : LastBitmap;
    if (FServices.OpenPicture)
        if (const auto chosen = FServices.OpenPicture(bitmap)) bitmap = *chosen;
    BackChange(Logo);
}

void TfmZephrix::btFirstSelectClick() {
    SelectBitmap(1);
}
void TfmZephrix::btLastSelectClick() {
    SelectBitmap(2);
}

void TfmZephrix::cbOnlyClick() {
    const bool bothUsed = !cbOnlyFirst.Checked() && !cbOnlyLast.Checked();
    rgFirst.SetVisible(bothUsed);
    rgLast.SetVisible(bothUsed);
    rgFirstBackgroundClick();
    rgLastBackgroundClick();
}

void TfmZephrix::BackgroundClick(int Logo) {
    const bool first = Logo == 1;
    const int k = (first ? rgFirstBackground : rgLastBackground).ItemIndex();
    const bool free = !(first ? cbOnlyLast : cbOnlyFirst).Checked();
    (first ? bcFirstSingleColor : bcLastSingleColor).SetVisible(free && k == 0);
    (first ? bcFirstColor1 : bcLastColor1).SetVisible(free && k == 1);
    (first ? bcFirstColor2 : bcLastColor2).SetVisible(free && k == 1);
    (first ? btFirstSelect : btLastSelect).SetVisible(free && k == 2);
    BackChange(Logo);
}

void TfmZephrix::rgFirstBackgroundClick() {
    BackgroundClick(1);
}
void TfmZephrix::rgLastBackgroundClick() {
    BackgroundClick(2);
}

void TfmZephrix::rgFirstEffectClick() {
    bcFirstShadowColor.SetVisible(rgFirstEffect.ItemIndex() == 1);
    ChangesFirst();
}

void TfmZephrix::rgLastEffectClick() {
    bcLastShadowColor.SetVisible(rgLastEffect.ItemIndex() == 1);
    ChangesLast();
}

void TfmZephrix::DefaultChange() {
    if (FirstText != FirstDefault && LastText != LastDefault) return;
    PickMessage();
    ChangesFirst();
    ChangesLast();
}

} // namespace zephrix
