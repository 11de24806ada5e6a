#include "form2.h"

#include "form1.h"
#include "player.h"
#include "web/web_host.h"
#include "web/web_page.h"
#include "window_on_screen.h"

namespace player {

Form2::Form2(Player& player) : Form("Form2"), player_(player) {
  MP1 = player_.makeMediaControl();
  design();
  wireSongsAndLyrics();
  wirePlayback();
  wireSliders();
  wirePersonalList();
  wireViews();
  Image3.Click = [this] { Image3_Click(); };
  ttlL.Click = [this] { ttlL_Click(); };
}

void Form2::Form_Load() { coverScreen(*this); }

// The window has no caption bar: the window manager's close (Alt+F4) is a
// user's only way to close it, and the user means what the album picture
// does. Unloading would lose what start-up gave the window (its colour,
// place, sliders and captions) and the personal list, and stop what plays.
// The program's own unload (the browser's) still takes it down.
void Form2::Form_QueryUnload(int& cancel, int unloadMode) {
  if (unloadMode != controls::vbFormControlMenu) return;
  cancel = 1;
  Image3_Click();
}

void Form2::Form_Unload(int&) { Text1.setCaretVisible(true); }

// Back to the browser; what plays goes on.
void Form2::Image3_Click() {
  Hide();
  Form1& browser = player_.form1();
  browser.setVisible(true);
  browser.Text1.setCaretVisible(false);
}

void Form2::ttlL_Click() {
  platform::openWebPage(QString::fromLatin1(platform::kPlayerTitleLinkPath), platform::WindowStyle::Normal);
}

}  // namespace player
