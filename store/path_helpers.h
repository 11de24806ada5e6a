#pragma once
// The small path helpers the programs share. The folder separator is "/";
// a "\" still counts as a folder's end where a stored path may end in one.

#include <string>
#include <string_view>

namespace store {

// `thePath`, "/" unless it already ends in one, then `fName`.
std::string setPath(std::string_view thePath, std::string_view fName);
// The path with "/" appended unless it already ends in one.
std::string EndSlash(std::string_view path);
// Trailing blanks removed; "/" appended unless the text ends in "/" or "\".
void AddDirSep(std::string& strPathName);
// The characters before the first NUL; the whole text when there is none.
std::string StringFromBuffer(std::string_view buffer);

// True for an existing folder; never fails.
bool DirExists(const std::string& path);
// True for an existing file or folder; never fails.
bool FileExists(const std::string& path);

// The folder that stands in for the Windows system directory:
// $QUENDREL_SYSTEM_DIR, else ${XDG_DATA_HOME:-$HOME/.local/share}/quendrel/system/,
// completed by AddDirSep; empty when neither can be formed.
std::string GetWindowsSysDir();

}  // namespace store
