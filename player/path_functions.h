#pragma once
// The player's own path helpers. They follow the same rules as the store's
// (and call them), so that the collection root and the system folder are
// formed the same way by every program.

#include <QString>
#include <string>
#include <string_view>

namespace player {

// Trailing blanks removed; "/" added unless the path ends in "/" or "\".
void AddDirSep(std::string& path);
// The text before the first NUL character; the whole buffer when it has none.
std::string StringFromBuffer(std::string_view buffer);
// The folder that stands in for the system directory, ending in "/"; ""
// when it cannot be formed.
std::string GetWindowsSysDir();

// The collection root: `folder` with "/" added unless it already ends in
// one, so that a root folder keeps its single separator.
std::string collectionRootOf(std::string folder);

// The last component of a folder path, with or without a "/" at its end.
QString lastComponent(QString path);

}  // namespace player
