#pragma once
// Where the browser and the player window lie: over the whole screen, as far
// as the desktop lets a window go.

namespace controls {
class Form;
}

namespace player {

// Places `window` over the part of the screen that windows may take (the
// screen without the desktop's panels and docks), and no further: a window
// wider than the screen has a part nobody can see, and a window manager
// moves or cuts it as it likes.
void coverScreen(controls::Form& window);

}  // namespace player
