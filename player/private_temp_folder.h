#pragma once
// The folders the player unpacks its pictures into. The temporary folder is
// shared by every user of the machine, so the player's folder in it is this
// user's own: made with mode 0700, owned by this user, and never reached
// through a symbolic link. Inside it nobody else can plant a file or a link.

#include <filesystem>
#include <optional>
#include <string>

namespace player {

// The name of the player's folder in the temporary folder, one per user.
std::string privateTempFolderName();

// Makes `parent`/`name` (an existing folder stays as it was) and checks that
// it is a real folder, not a link, owned by this user, which only this user
// can enter (a folder of ours with wider rights is narrowed to 0700).
// The folder's path ending in "/", or empty when it cannot be made or is not
// safe to use.
std::optional<std::string> makePrivateFolder(const std::string& parent, const std::string& name);

}  // namespace player
