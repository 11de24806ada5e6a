#pragma once
// The player's own pictures: the browser's buttons, the picture of an album
// without a cover, and the player window's transport and list buttons. All
// are drawn here, in one style: white glyphs and outlines, translucent over
// whatever interface colour the collection chose, filled white when pressed.

#include "picture.h"

namespace player::artwork {

// The three looks of a button: at rest, lit (pointer over it, or playing),
// pressed.
enum class Look { Normal, Lit, Pressed };

// The album browser's buttons: the pressed (latched) look of a button is its
// `pressed` picture.
controls::Picture playAllButton(bool pressed);
controls::Picture minimiseButton(bool pressed);
controls::Picture informationButton(bool open);
controls::Picture exitButton();

// What an album box shows when its album has no cover.
controls::Picture defaultCover();

enum class Transport { Play, Pause, Stop, Previous, Next };
controls::Picture transportButton(Transport button, Look look);

// The small switches of the player window.
enum class Tool { PersonalList, Shuffle, ClearList, Repeat, Remove, ViewSwitch };
controls::Picture toolButton(Tool tool, bool on);

// The personal list's mode button, which songs are dropped on, and the hint
// beside it while the mode is on.
controls::Picture personalListButton(bool on);
controls::Picture dropHint();

// The pointer shown while a song is dragged onto the personal list.
controls::Picture songDragIcon();

}  // namespace player::artwork
