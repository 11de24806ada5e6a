#pragma once
// The disc player as a program: one run from its start-up to the end of its
// event loop, and the program's exit code.

#include <functional>

#include "player.h"

namespace player {

// Starts a player with the media controls `makeMediaControl` makes, in the
// window style the program was started with, and then runs `eventLoop` and
// answers what it returns. From the start to the end, SIGTERM, SIGINT and
// SIGHUP end the program with the player's folder removed. A start-up that fails
// with an exception shows the failure's text in a critical box once the
// player and its folder have gone, and answers 1.
int runPlayer(Player::MediaControlMaker makeMediaControl, const std::function<int()>& eventLoop);

}  // namespace player
