#include "form3.h"

#include "form1.h"
#include "player.h"

namespace player {

Form3::Form3(Player& player) : Form("Form3"), player_(player) { setBorderStyle(1); }

void Form3::Form_Load() {
  Hide();
  showBrowser();
}

void Form3::Form_Paint() {
  Form1& browser = player_.form1();
  setIcon(browser.Icon());
  Hide();
  browser.setVisible(true);
}

void Form3::Form_Unload(int&) {
  if (!player_.isClosing()) player_.form1().Unload();
}

// The browser's first showing honours the window style the player was
// started with.
void Form3::showBrowser() {
  Form1& browser = player_.form1();
  switch (player_.startStyle()) {
    case platform::WindowStyle::Hidden: return;
    case platform::WindowStyle::Minimized: browser.setWindowState(controls::vbMinimized); break;
    case platform::WindowStyle::Maximized: browser.setWindowState(controls::vbMaximized); break;
    case platform::WindowStyle::NormalNoFocus:
      browser.widget()->setAttribute(Qt::WA_ShowWithoutActivating);
      break;
    case platform::WindowStyle::Normal: break;
  }
  browser.setVisible(true);
}

}  // namespace player
