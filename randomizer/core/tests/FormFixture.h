// A main window in a temporary portable folder with its own Windows folder, a scripted random
// source and a recorder for message boxes.
#pragma once

#include "platform/MessageBox.h"
#include "randomizer/MainForm.h"

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace zephrix::test {

namespace fs = std::filesystem;

// Draws the scripted values in order (each taken modulo n), then zeros.
class TScriptedRandom : public TRandomSource {
public:
    void Reseed() override { ++Reseeds; }
    std::uint32_t Next(std::uint32_t n) override {
        ++Draws;
        if (Values.empty()) return 0;
        const std::uint32_t v = Values.front() % n;
        Values.pop_front();
        return v;
    }
    std::deque<std::uint32_t> Values;
    int Reseeds = 0;
    int Draws = 0;
};

class FormTest : public testing::Test {
protected:
    FormTest()
        : Root(fs::temp_directory_path() / ("zephrix-form-" + std::to_string(::getpid()))),
          Recorder([this](const platform::TMessageBoxRequest& r) {
              Boxes.push_back(r);
              return Answer;
          }) {
        fs::remove_all(Root);
        fs::create_directories(Root / "prog");
        fs::create_directories(Root / "win");
        ::setenv("WINDIR", (Root / "win").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (Root / "config").c_str(), 1);
        Random = std::make_shared<TScriptedRandom>();
    }
    ~FormTest() override {
        Form.reset();
        fs::current_path(fs::temp_directory_path());
        fs::remove_all(Root);
    }

    std::string Prog(const std::string& name) const { return (Root / "prog" / name).string(); }
    std::string Win(const std::string& name) const { return (Root / "win" / name).string(); }

    static void Write(const std::string& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }
    static std::string Read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    // A form whose program lives in the temporary folder; FontFamilies as given.
    TfmZephrix& MakeForm(std::vector<std::string> fonts = {"Arial", "Courier New", "Liberation Sans"}) {
        TFormServices services;
        services.ProgramPath = Prog("zephrix");
        services.FontFamilies = [fonts] { return fonts; };
        services.Random = Random;
        services.Terminate = [this] { ++Terminations; };
        services.OpenPicture = [this](const std::string& initial) {
            PictureDialogInitial = initial;
            return PictureDialogAnswer;
        };
        services.Close = [this] { ++Closes; };
        Form = std::make_unique<TfmZephrix>(std::move(services));
        return *Form;
    }

    TfmZephrix& CreatedForm(const std::vector<std::string>& arguments = {}) {
        MakeForm().FormCreate(arguments);
        return *Form;
    }

    fs::path Root;
    std::shared_ptr<TScriptedRandom> Random;
    std::unique_ptr<TfmZephrix> Form;
    std::vector<platform::TMessageBoxRequest> Boxes;
    platform::TModalResult Answer = platform::TModalResult::mrOK;
    platform::TScopedMessageBoxHandler Recorder;
    int Terminations = 0;
    int Closes = 0;
    std::optional<std::string> PictureDialogAnswer;
    std::string PictureDialogInitial;
};

} // namespace zephrix::test
