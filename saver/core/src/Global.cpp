// Start-up, saver start and exit, in the order the saver has always done them.
#include "saver/Global.h"

#include "platform/Cursor.h"
#include "platform/ScreenSaverFlag.h"
#include "platform/Version.h"
#include "saver/Settings.h"
#include "saver/SettingsText.h"
#include "saver/SoundResource.h"

#include <cctype>

namespace saver {

TMode ModeOfCommandLine(std::string_view commandLine) {
    std::string prefix(commandLine.substr(0, 2));
    for (char& c : prefix) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (prefix == "/C") return TMode::Configuration;
    if (prefix == "/S") return TMode::Saver;
    if (prefix == "/P") return TMode::Preview;
    if (prefix == "/A") return TMode::PasswordChange;
    return TMode::Configuration;
}

void TGlobal::Main(std::string_view commandLine) {
    const std::string text(commandLine);
    switch (ModeOfCommandLine(commandLine)) {
    case TMode::Configuration:
        FHost.ShowConfiguration(text);
        break;
    case TMode::Saver:
        if (IsFirstInstance(TfrmScreenSave::Caption)) StartSaver();
        break;
    case TMode::Preview:
        FHost.LoadPreview(text);
        break;
    case TMode::PasswordChange:
        FHost.ChangePassword(text);
        break;
    }
}

bool TGlobal::IsFirstInstance(const std::string& caption) {
    return !FHost.FindWindowByCaption(caption);
}

void TGlobal::CheckPlatform(int platformId) {
    if (platformId == platform::VER_PLATFORM_WIN32_WINDOWS) IsWin9x = true;
    if (platformId == platform::VER_PLATFORM_WIN32_NT) IsWin9x = false;
}

void TGlobal::StartSaver() {
    CheckPlatform(platform::PlatformId());
    if (IsSwitchOn(ReadSetting(Setting::Audio))) PlaySoundResource(SoundId);
    BackgroundMode = RoundToInt16(ReadSettingNumber(Setting::BG));
    platform::SetScreenSaverRunning(true);
    while (platform::ShowCursor(false) >= 0) {
    }

    FScreenSave = std::make_unique<TfrmScreenSave>(FHost.ScreenWidthPx(), FHost.ScreenHeightPx(),
                                                   LoadSpriteSheets(), FHost.Random(), FHost.Clock());
    FScreenSave->OnRequestExit = [this] { RequestExit(); };
    FScreenSave->Load(BackgroundMode);
    FHost.ScreenSaveLoaded(*FScreenSave);

    if (BackgroundMode == 0 || BackgroundMode == 2) {
        FScreenSave->SetBackgroundPicture(CaptureDesktop(FHost.Screen()));
    } else if (BackgroundMode == 1) {
        FScreenSave->SetBackgroundColor(RoundToInt32(ReadSettingNumber(Setting::BG_Color)));
    }
}

void TGlobal::RequestExit() {
    while (platform::ShowCursor(true) <= 0) {
    }
    if (IsWin9x.value_or(false) && !FHost.PasswordVerifier().VerifyScreenSavePwd(FHost.ScreenSaveWindow())) {
        while (platform::ShowCursor(false) >= 0) {
        }
        return;
    }
    platform::SetScreenSaverRunning(false);
    StopSound();
    FHost.EndProgram();
}

} // namespace saver
