// Where things live: the stand-ins for the Windows directory, the program folder and the
// per-user folders.
#pragma once

#include <string>

namespace platform {

// $WINDIR when set, else $XDG_DATA_HOME/windows (default ~/.local/share/windows); created when
// missing. Ends with "/".
std::string WindowsDirectory();

// The running program's own full path.
std::string ProgramPath();

// $XDG_CONFIG_HOME, default ~/.config; no trailing "/". Empty when neither it nor $HOME is set.
std::string ConfigHome();

// The per-user folder of programs started at log-on: ConfigHome() + "/autostart"; empty when
// there is no configuration folder.
std::string StartupFolder();

// The folder part of a path, including its last "/"; empty when there is none.
std::string FolderOf(const std::string& path);

} // namespace platform
