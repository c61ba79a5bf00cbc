// TfmZephrix: the shortcut that starts the program in automatic mode at every log-on.
#include "platform/Folders.h"
#include "platform/ShellLink.h"
#include "randomizer/MainForm.h"

namespace zephrix {

void TfmZephrix::btStartClick() {
    const auto answer = ShowBox(
        "A shortcut to Zephrix will be created in your Startup\r\nGroup. Are you sure you want "
        "to continue?",
        platform::TMsgDlgType::mtConfirmation, {platform::TMsgDlgBtn::mbYes, platform::TMsgDlgBtn::mbNo});
    if (answer == platform::TModalResult::mrYes) CreateStartupShortcut();
}

void TfmZephrix::CreateStartupShortcut() {
    const std::string folder = platform::StartupFolder();
    platform::TLinkData data;
    data.Path = FServices.ProgramPath;
    data.Options =
        platform::TLinkData::kDescription | platform::TLinkData::kArguments | platform::TLinkData::kShowCmd;
    data.Description = "Shutdown logo randomizer";
    data.Arguments = "/AUTO";
    data.ShowCmd = 7;
    // Without a Startup folder there is nowhere sensible to put the shortcut.
    const int status = folder.empty() ? -1 : platform::CreateShellLink(folder + "/Zephrix.LNK", data);
    if (status < 0)
        ShowBox("ERROR creating a shortcut to Zephrix on the StartUp folder", platform::TMsgDlgType::mtError,
                {platform::TMsgDlgBtn::mbOK});
    else
        ShowBox("A shortcut has been successfully created on the StartUp folder",
                platform::TMsgDlgType::mtInformation, {platform::TMsgDlgBtn::mbOK});
}

} // namespace zephrix
