// The saver's host on Qt and X11.
#include "QtSaverHost.h"

#include <QGuiApplication>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

namespace saver::app {

TX11Desktop& TQtSaverHost::Desktop() {
    if (!FDesktop) FDesktop = std::make_unique<TX11Desktop>();
    return *FDesktop;
}

bool TQtSaverHost::FindWindowByCaption(const std::string& caption) {
    return Desktop().WindowWithCaptionExists(caption);
}

void TQtSaverHost::NotInThisBuild(const char* mode) {
    std::fprintf(stderr, "frolicade: the %s is not available in this build.\n", mode);
    std::exit(0);
}

void TQtSaverHost::ShowConfiguration(const std::string&) {
    NotInThisBuild("configuration dialog");
}
void TQtSaverHost::LoadPreview(const std::string&) {
    NotInThisBuild("preview mode");
}
void TQtSaverHost::ChangePassword(const std::string&) {
    NotInThisBuild("password change");
}

int TQtSaverHost::ScreenWidthPx() {
    return QGuiApplication::primaryScreen()->geometry().width();
}
int TQtSaverHost::ScreenHeightPx() {
    return QGuiApplication::primaryScreen()->geometry().height();
}

void TQtSaverHost::ScreenSaveLoaded(TfrmScreenSave& form) {
    FWindow = std::make_unique<TSaverWindow>(form);
}

TWindowHandle TQtSaverHost::ScreenSaveWindow() {
    return FWindow ? FWindow->winId() : 0;
}

void TQtSaverHost::EndProgram() {
    // Ends at once, as the saver always has: no window is unloaded, no further event handled.
    std::fflush(stderr);
    std::_Exit(0);
}

} // namespace saver::app
