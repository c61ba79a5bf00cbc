// What the saver asks of the desktop, answered with Qt and X11.
#pragma once

#include "SaverWindow.h"
#include "X11Desktop.h"
#include "saver/Global.h"

#include <memory>

namespace saver::app {

class TQtSaverHost : public TSaverHost {
public:
    bool FindWindowByCaption(const std::string& caption) override;
    void ShowConfiguration(const std::string& commandLine) override;
    void LoadPreview(const std::string& commandLine) override;
    void ChangePassword(const std::string& commandLine) override;
    int ScreenWidthPx() override;
    int ScreenHeightPx() override;
    TRandomSource& Random() override { return FRandom; }
    TClockSource& Clock() override { return FClock; }
    void ScreenSaveLoaded(TfrmScreenSave& form) override;
    TWindowImageSource& Screen() override { return Desktop(); }
    TWindowHandle ScreenSaveWindow() override;
    TPasswordVerifier& PasswordVerifier() override { return FVerifier; }
    [[noreturn]] void EndProgram() override;

    // The saver window, once saver mode has loaded it.
    TSaverWindow* Window() { return FWindow.get(); }

private:
    // The system locker owns screen passwords here; the saver lets the user out at once.
    class TSystemPasswordVerifier : public TPasswordVerifier {
    public:
        bool VerifyScreenSavePwd(TWindowHandle) override { return true; }
    };

    TX11Desktop& Desktop();
    [[noreturn]] void NotInThisBuild(const char* mode);

    std::unique_ptr<TX11Desktop> FDesktop;
    std::unique_ptr<TSaverWindow> FWindow;
    TClockSeededRandom FRandom;
    TSystemClock FClock;
    TSystemPasswordVerifier FVerifier;
};

} // namespace saver::app
