// File operations as the programs use them: each reports success instead of raising.
#pragma once

#include <string>

namespace platform {

bool FileExists(const std::string& path);
// Copies a file; fails when the target exists already.
bool CopyFileNoOverwrite(const std::string& from, const std::string& to);
bool DeleteFile(const std::string& path);
// Moves a file within a file system, replacing a file of the new name.
bool RenameFile(const std::string& from, const std::string& to);
bool SetCurrentDirectory(const std::string& folder);

} // namespace platform
