// frolicade: a screen saver with a crowd of dancing Bopplers. Started with "/S" it runs full
// screen; the first two characters of the command line choose the mode.
#include "QtSaverHost.h"
#include "saver/Global.h"

#include <QApplication>
#include <string>

int main(int argc, char** argv) {
    // The command line as the saver sees it: everything after the program's own path.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) commandLine += (i > 1 ? " " : "") + std::string(argv[i]);

    saver::app::TQtSaverHost host;
    saver::TGlobal global(host);
    if (saver::ModeOfCommandLine(commandLine) != saver::TMode::Saver) {
        global.Main(commandLine);
        return 0;
    }
    QApplication application(argc, argv);
    global.Main(commandLine);
    if (!host.Window()) return 0; // a saver runs already
    host.Window()->Start();
    return application.exec();
}
