// Shared fixtures of the saver tests: a private settings store, a scripted random source, a fixed
// clock and a host that records what the saver asks of the windowing system.
#pragma once

#include "saver/Global.h"
#include "saver/Settings.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace saver::test {

// Points the per-user store at a fresh folder and lets SDL play into nothing.
class SettingsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        FDir = std::filesystem::temp_directory_path() /
               ("frolicade-test-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(FDir);
        ::setenv("XDG_CONFIG_HOME", FDir.c_str(), 1);
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    void TearDown() override {
        std::filesystem::remove_all(FDir);
        ::unsetenv("XDG_CONFIG_HOME");
    }
    std::filesystem::path FDir;
};

// Hands out the given numbers in turn, round and round.
class TScriptedRandom : public TRandomSource {
public:
    explicit TScriptedRandom(std::vector<double> values) : FValues(std::move(values)) {}
    double Next() override { return FValues[FNext++ % FValues.size()]; }

private:
    std::vector<double> FValues;
    std::size_t FNext = 0;
};

class TFixedClock : public TClockSource {
public:
    TLocalTime Time{15, 7, 9};
    TLocalTime Now() override { return Time; }
};

class TStubVerifier : public TPasswordVerifier {
public:
    bool Accept = true;
    int Calls = 0;
    bool VerifyScreenSavePwd(TWindowHandle) override {
        ++Calls;
        return Accept;
    }
};

class TSolidScreen : public TWindowImageSource {
public:
    int Width = 320;
    int Height = 200;
    std::uint32_t Pixel = 0xFF336699u;
    TWindowHandle DesktopWindow() override { return 1; }
    int ScreenWidth() override { return Width; }
    int ScreenHeight() override { return Height; }
    TFrameBuffer ReadWindow(TWindowHandle, bool, int, int, int width, int height) override {
        return TFrameBuffer(width, height, Pixel);
    }
    std::optional<TPalette> SystemPalette() override { return std::nullopt; }
};

class TRecordingHost : public TSaverHost {
public:
    std::vector<std::string> Calls;
    bool SaverWindowExists = false;
    int Ends = 0;
    TScriptedRandom RandomSource{{0.5}};
    TFixedClock ClockSource;
    TSolidScreen ScreenSource;
    TStubVerifier Verifier;

    bool FindWindowByCaption(const std::string& caption) override {
        Calls.push_back("FindWindow " + caption);
        return SaverWindowExists;
    }
    void ShowConfiguration(const std::string& line) override { Calls.push_back("Configuration " + line); }
    void LoadPreview(const std::string& line) override { Calls.push_back("Preview " + line); }
    void ChangePassword(const std::string& line) override { Calls.push_back("Password " + line); }
    int ScreenWidthPx() override { return ScreenSource.Width; }
    int ScreenHeightPx() override { return ScreenSource.Height; }
    TRandomSource& Random() override { return RandomSource; }
    TClockSource& Clock() override { return ClockSource; }
    void ScreenSaveLoaded(TfrmScreenSave&) override { Calls.push_back("Loaded"); }
    TWindowImageSource& Screen() override { return ScreenSource; }
    TWindowHandle ScreenSaveWindow() override { return 42; }
    TPasswordVerifier& PasswordVerifier() override { return Verifier; }
    void EndProgram() override { ++Ends; }
};

} // namespace saver::test
