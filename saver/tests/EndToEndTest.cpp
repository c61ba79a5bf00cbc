// The real frolicade under a private Xvfb: what the screen shows, how it ends, the single-instance
// rule and the music loop captured with SDL's disk audio driver.
// gtest first: the X11 headers define None and Bool as macros.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xlib.h>
#include <X11/Xutil.h>
// clang-format on
#include "platform/WaveFile.h"
#include "saver/Resources.h"

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

bool OnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string rest = path ? path : "";
    for (std::size_t start = 0; start <= rest.size();) {
        const std::size_t end = std::min(rest.find(':', start), rest.size());
        if (::access((rest.substr(start, end - start) + "/" + program).c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

// A child process with extra environment; killed when the object goes.
class TChild {
public:
    // Standard error goes to `errorFile`, or nowhere when it is empty.
    TChild(std::vector<std::string> args, const std::map<std::string, std::string>& env,
           const std::string& errorFile = {}) {
        FPid = ::fork();
        if (FPid == 0) {
            for (const auto& [k, v] : env) ::setenv(k.c_str(), v.c_str(), 1);
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, 1);
            const int error =
                errorFile.empty() ? null : ::open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(error, 2);
            std::vector<char*> argv;
            for (auto& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execvp(argv[0], argv.data());
            ::_exit(127);
        }
    }
    ~TChild() {
        if (FPid > 0 && !FExit) {
            ::kill(FPid, SIGKILL);
            ::waitpid(FPid, nullptr, 0);
        }
    }
    // The exit code once the process has ended within `limit`, else nothing.
    std::optional<int> WaitExit(std::chrono::milliseconds limit) {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (!FExit) {
            int status = 0;
            if (::waitpid(FPid, &status, WNOHANG) == FPid) {
                FExit = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            } else if (std::chrono::steady_clock::now() > until) {
                return std::nullopt;
            } else {
                std::this_thread::sleep_for(20ms);
            }
        }
        return FExit;
    }
    pid_t Pid() const { return FPid; }

private:
    pid_t FPid = -1;
    std::optional<int> FExit;
};

class EndToEnd : public ::testing::Test {
protected:
    static constexpr unsigned long RootColour = 0x204080;

    void SetUp() override {
        if (!OnPath("Xvfb") || !OnPath("xdotool")) GTEST_SKIP() << "Xvfb or xdotool is not installed";
        FDir = fs::temp_directory_path() / ("frolicade-e2e-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(FDir / "config");
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        // -noreset keeps the root colour when the last client disconnects.
        FServer.emplace(std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                                                 "640x480x24", "-noreset", "-nolisten", "tcp"},
                        std::map<std::string, std::string>{});
        ::close(fds[1]);
        std::string number;
        char c;
        while (::read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        ::close(fds[0]);
        ASSERT_FALSE(number.empty()) << "Xvfb did not start";
        FDisplayName = ":" + number;
        FDisplay = XOpenDisplay(FDisplayName.c_str());
        ASSERT_NE(FDisplay, nullptr);
        const Window root = DefaultRootWindow(FDisplay);
        XSetWindowBackground(FDisplay, root, RootColour);
        XClearWindow(FDisplay, root);
        XSync(FDisplay, False);
    }
    void TearDown() override {
        if (FDisplay) XCloseDisplay(FDisplay);
        FServer.reset();
        if (!FDir.empty()) fs::remove_all(FDir);
    }

    std::map<std::string, std::string> Environment() const {
        return {{"DISPLAY", FDisplayName},
                {"QT_QPA_PLATFORM", "xcb"}, // the test runner asks for offscreen; the saver needs the display
                {"XDG_CONFIG_HOME", (FDir / "config").string()},
                {"SDL_AUDIODRIVER", "disk"},
                {"SDL_DISKAUDIOFILE", (FDir / "audio.raw").string()},
                {"SDL_DISKAUDIODELAY", "1"}, // write far faster than real time: many loops in a second
                {"XDG_RUNTIME_DIR", FDir.string()}};
    }
    std::unique_ptr<TChild> StartSaver(const std::string& args = "/S") {
        return std::make_unique<TChild>(std::vector<std::string>{FROLICADE_PATH, args}, Environment());
    }

    bool SaverWindowShown(std::chrono::milliseconds limit) {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < until) {
            Window root = 0, parent = 0, *children = nullptr;
            unsigned int count = 0;
            bool found = false;
            if (XQueryTree(FDisplay, DefaultRootWindow(FDisplay), &root, &parent, &children, &count)) {
                for (unsigned int i = 0; i < count && !found; ++i) {
                    char* name = nullptr;
                    XWindowAttributes attributes{};
                    if (XFetchName(FDisplay, children[i], &name) && name) {
                        found = std::string(name) == "Screen Saver Main Form" &&
                                XGetWindowAttributes(FDisplay, children[i], &attributes) &&
                                attributes.map_state == IsViewable;
                        XFree(name);
                    }
                }
                XFree(children);
            }
            if (found) return true;
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }

    // How many screen pixels have the root colour, and how many do not.
    std::pair<long, long> CountRootColour() {
        XImage* image = XGetImage(FDisplay, DefaultRootWindow(FDisplay), 0, 0, 640, 480, AllPlanes, ZPixmap);
        EXPECT_NE(image, nullptr);
        if (!image) return {0, 0};
        long same = 0, other = 0;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                ((XGetPixel(image, x, y) & 0xFFFFFF) == RootColour ? same : other)++;
        XDestroyImage(image);
        return {same, other};
    }

    void PressKey() {
        TChild xdotool({"xdotool", "key", "a"}, {{"DISPLAY", FDisplayName}});
        EXPECT_EQ(xdotool.WaitExit(20s), 0);
    }

    fs::path FDir;
    std::optional<TChild> FServer;
    std::string FDisplayName;
    Display* FDisplay = nullptr;
};

TEST_F(EndToEnd, SaverShowsTheDesktopWithDancersAndAKeyEndsIt) {
    auto saver = StartSaver();
    ASSERT_TRUE(SaverWindowShown(20s));
    std::this_thread::sleep_for(500ms);
    const auto [desktop, sprites] = CountRootColour();
    EXPECT_GT(desktop, 640 * 480 / 2) << "the captured desktop is the background";
    EXPECT_GT(sprites, 5000) << "fifty Bopplers dance over it";
    EXPECT_FALSE(saver->WaitExit(0ms));

    PressKey();
    EXPECT_EQ(saver->WaitExit(20s), std::optional<int>(0));
    const auto [after, rest] = CountRootColour();
    EXPECT_EQ(rest, 0) << "the desktop is back as it was";
}

TEST_F(EndToEnd, SolidColourSettingFillsTheScreen) {
    std::ofstream(FDir / "config" / "Frolicade.ini")
        << "[Settings]\r\nBG=1\r\nBG_Color=255\r\nBopplers=0\r\n";
    auto saver = StartSaver();
    ASSERT_TRUE(SaverWindowShown(20s));
    std::this_thread::sleep_for(500ms);
    XImage* image = XGetImage(FDisplay, DefaultRootWindow(FDisplay), 0, 0, 640, 480, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    long red = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) red += (XGetPixel(image, x, y) & 0xFFFFFF) == 0xFF0000;
    XDestroyImage(image);
    EXPECT_EQ(red, 640 * 480);
}

TEST_F(EndToEnd, SecondSaverStartEndsAtOnceWithoutSound) {
    auto first = StartSaver();
    ASSERT_TRUE(SaverWindowShown(20s));
    fs::remove(FDir / "audio.raw");
    auto env = Environment();
    env["SDL_DISKAUDIOFILE"] = (FDir / "second.raw").string();
    TChild second({FROLICADE_PATH, "/s"}, env);
    EXPECT_EQ(second.WaitExit(20s), std::optional<int>(0));
    EXPECT_FALSE(fs::exists(FDir / "second.raw")) << "the second start plays nothing";
    EXPECT_FALSE(first->WaitExit(0ms)) << "the first saver runs on";
}

TEST_F(EndToEnd, OtherModesSayTheyAreNotAvailable) {
    struct Case {
        const char* Line;
        const char* Message;
    };
    for (const Case& c : {Case{"/c", "configuration dialog"}, Case{"/p 1234", "preview mode"},
                          Case{"/a", "password change"}, Case{"-s", "configuration dialog"}}) {
        const std::string errors = (FDir / "stderr.txt").string();
        TChild saver({FROLICADE_PATH, c.Line}, Environment(), errors);
        EXPECT_EQ(saver.WaitExit(20s), std::optional<int>(0)) << c.Line;
        std::ifstream in(errors);
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        EXPECT_EQ(text, "frolicade: the " + std::string(c.Message) + " is not available in this build.\n")
            << c.Line;
    }
}

TEST_F(EndToEnd, MusicIsTheClipLooping) {
    auto saver = StartSaver();
    ASSERT_TRUE(SaverWindowShown(20s));
    const auto clip = platform::ParseWave(saver::FindResource("SOUND", 101));
    ASSERT_TRUE(clip);
    const std::size_t clipSize = clip->Samples.size();
    const auto until = std::chrono::steady_clock::now() + 30s;
    while (std::chrono::steady_clock::now() < until &&
           (!fs::exists(FDir / "audio.raw") || fs::file_size(FDir / "audio.raw") < 2 * clipSize + 4096))
        std::this_thread::sleep_for(50ms);
    PressKey();
    EXPECT_EQ(saver->WaitExit(20s), std::optional<int>(0));

    std::ifstream in(FDir / "audio.raw", std::ios::binary);
    const std::vector<std::uint8_t> played{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GE(played.size(), 2 * clipSize + 4096);
    // The device plays silence until it is unpaused; the clip starts somewhere in that silence.
    const auto clipStartsAt = [&](std::size_t start) {
        for (std::size_t i = 0; i < 4096; ++i)
            if (played[start + i] != clip->Samples[i]) return false;
        return true;
    };
    std::size_t start = 0;
    while (start < 65536 && played[start] == 128 && !clipStartsAt(start)) ++start;
    ASSERT_TRUE(clipStartsAt(start)) << "the clip does not start after " << start << " bytes of silence";
    for (std::size_t i = start; i < played.size(); ++i)
        ASSERT_EQ(played[i], clip->Samples[(i - start) % clipSize]) << "byte " << i << " of the played sound";
}

} // namespace
