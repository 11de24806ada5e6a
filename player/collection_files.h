#pragma once
// The files of the collection root, found without regard to case (a disc
// may carry QD.EXE for qd.exe).

#include <string>

namespace player {

// The path of the root's plain file `name` (root ends in "/"), found without
// regard to case; "" when there is no such file. A folder or a dangling link
// of that name is none, and a name with a folder in it never matches.
std::string collectionFile(const std::string& root, const std::string& name);

}  // namespace player
