// Global: the start-up routine Main with its mode dispatch, saver start and exit, and the
// program-wide state (BackgroundMode, IsWin9x, PickedColor). What the windowing system does for it
// is asked of a TSaverHost.
#pragma once

#include "saver/PasswordVerifier.h"
#include "saver/ScreenSave.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace saver {

enum class TMode { Configuration, Saver, Preview, PasswordChange };

// The mode of a command line (the text after the program path): its first two characters,
// upper-cased; "/S", "/P" and "/A" pick their modes, everything else the configuration dialog.
TMode ModeOfCommandLine(std::string_view commandLine);

class TSaverHost {
public:
    virtual ~TSaverHost() = default;
    // Whether a top-level window with exactly this caption exists.
    virtual bool FindWindowByCaption(const std::string& caption) = 0;
    virtual void ShowConfiguration(const std::string& commandLine) = 0;
    virtual void LoadPreview(const std::string& commandLine) = 0;
    virtual void ChangePassword(const std::string& commandLine) = 0;

    virtual int ScreenWidthPx() = 0;
    virtual int ScreenHeightPx() = 0;
    virtual TRandomSource& Random() = 0;
    virtual TClockSource& Clock() = 0;
    // The saver window has been created and loaded; the host makes its window (topmost, not yet
    // shown: it is shown once Main returns, after the capture).
    virtual void ScreenSaveLoaded(TfrmScreenSave& form) = 0;
    virtual TWindowImageSource& Screen() = 0;
    virtual TWindowHandle ScreenSaveWindow() = 0;
    virtual TPasswordVerifier& PasswordVerifier() = 0;
    // Ends the process at once, without unload handling.
    virtual void EndProgram() = 0;
};

class TGlobal {
public:
    static constexpr int SoundId = 101;

    explicit TGlobal(TSaverHost& host) : FHost(host) {}

    void Main(std::string_view commandLine);
    void StartSaver();
    bool IsFirstInstance(const std::string& caption);
    // Sets IsWin9x from the platform id: 1 the 95/98 family, 2 the NT family, others leave it.
    void CheckPlatform(int platformId);
    // Returns only when the password was refused; otherwise ends the program.
    void RequestExit();

    std::int16_t BackgroundMode = 0;
    std::optional<bool> IsWin9x;
    std::int32_t PickedColor = 0;

    TfrmScreenSave* ScreenSave() { return FScreenSave.get(); }

private:
    TSaverHost& FHost;
    std::unique_ptr<TfrmScreenSave> FScreenSave;
};

} // namespace saver
