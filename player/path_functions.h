#pragma once
// The player's own path helpers; the system folder and the other shared
// path rules are the store's (path_helpers.h).

#include <QString>
#include <string>

namespace player {

// The collection root: `folder` with "/" added unless it already ends in
// one, so that a root folder keeps its single separator.
std::string collectionRootOf(std::string folder);

// The last component of a folder path, with or without a "/" at its end.
QString lastComponent(QString path);

}  // namespace player
