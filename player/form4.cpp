#include "form4.h"

#include "player.h"
#include "screen.h"
#include "window_timer.h"

namespace player {

Form4::Form4(Player& player) : Form("Form4"), player_(player) {
  setBorderStyle(0);
  setBackColor(controls::vbBlack);
  // Without a picture the window keeps this size for its four seconds.
  Image1.Move(0, 0, 6000, 4000);
  tickIntoHandler(*this, Timer1, [this] { Timer1_Timer(); });
}

void Form4::showMe() {
  Image1.setTop(0);
  Image1.setLeft(0);
  setWidth(Image1.Width());
  setHeight(Image1.Height());
  setLeft(controls::Screen::Width() / 2 - Width() / 2);
  setTop(controls::Screen::Height() / 2 - Height() / 2);
  Timer1.setEnabled(true);
  Show(controls::vbModal);
}

// The intro keeps its four seconds whatever the user does: the window's close
// box (the window manager's close, Alt+F4) is refused; only the timer, or the
// program ending, takes it down.
void Form4::Form_QueryUnload(int& cancel, int unloadMode) {
  if (unloadMode == controls::vbFormControlMenu) cancel = 1;
}

// The intro is shown once a run: its picture, a camera's picture at its own
// size as like as not, and the window's drawing surface of the same size go
// with the window instead of staying for the rest of the run.
void Form4::Form_Unload(int&) { player_.introGone(); }

void Form4::Timer1_Timer() {
  Timer1.setEnabled(false);
  Hide();
  Unload();
}

}  // namespace player
