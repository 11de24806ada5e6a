#include "form2.h"

#include "form1.h"
#include "player.h"
#include "screen.h"
#include "web/web_host.h"
#include "web/web_page.h"

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

void Form2::Form_Load() {
  Move(0, 0, controls::Screen::Width() + 5000, controls::Screen::Height());
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
