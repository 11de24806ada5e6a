#pragma once
// The installed-marker test of start-up and the program it starts when the
// support files are not installed.

#include <optional>
#include <string>

namespace player {

inline constexpr const char* kInstalledMarkerName = "RZ.LOG";

// True when the installed marker is not in `systemFolder` (a folder path
// ending in "/"), looked for without regard to case. A marker that exists
// but cannot be opened counts as installed, and so does any failure other
// than the file's absence.
bool installedMarkerMissing(const std::string& systemFolder);

// The full path of the program that installs the support files: "setup.exe"
// in the collection root (found without regard to case), else the launcher
// that the root's AUTORUN.INF opens, when its open line names a file of the
// root. Empty when there is neither.
std::optional<std::string> setupProgramPath(const std::string& collectionRoot);

}  // namespace player
