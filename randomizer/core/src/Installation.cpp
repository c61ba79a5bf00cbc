// TfmZephrix: turning the composed logos into the system's logo files, and the one-time backups.
#include "pgraphic/OptimizedPalette.h"
#include "platform/FileSystem.h"
#include "randomizer/MainForm.h"

namespace zephrix {

void TfmZephrix::InstallLogo(const pg::TPixelGraphic& logo, const std::string& bmpName,
                             const std::string& sysName) {
    pg::TPixelGraphic halved, reduced;
    halved.SetSize(320, 400, pg::pf24Bit);
    halved.SetStretchMode(pg::smPrecise);
    halved.Copy(logo);
    reduced.SetSize(320, 400, pg::pf8Bit);
    reduced.SetDither(true);
    pg::CreateOptimizedPalette(reduced, halved, 256, true);
    reduced.SetPaletteCount(256);
    reduced.Copy(halved);
    const std::string bmp = WinDir + bmpName, sys = WinDir + sysName;
    reduced.SaveToFile(bmp);
    // One rename replaces the old logo, so the folder never lacks one, even when this fails.
    if (!platform::RenameFile(bmp, sys)) {
        platform::DeleteFile(bmp);
        ShowBox("The new logo could not be installed as " + sys, platform::TMsgDlgType::mtError,
                {platform::TMsgDlgBtn::mbOK});
    }
}

void TfmZephrix::InstallLogos() {
    if (!cbOnlyLast.Checked()) InstallLogo(*FirstLogo, "logow.bmp", "logow.sys");
    if (!cbOnlyFirst.Checked()) InstallLogo(*LastLogo, "logos.bmp", "logos.sys");
}

void TfmZephrix::BackupFile(const std::string& Name) {
    if (platform::FileExists(ExeDir + Name)) return;
    if (platform::CopyFileNoOverwrite(WinDir + Name, ExeDir + Name))
        ShowBox("A Backup of your existing " + Name + " has been done", platform::TMsgDlgType::mtInformation,
                {platform::TMsgDlgBtn::mbOK});
}

void TfmZephrix::BackupLogos() {
    BackupFile("logow.sys");
    BackupFile("logos.sys");
}

} // namespace zephrix
