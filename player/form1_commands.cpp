// The album browser's commands: select and open an album, play all, the
// information text, minimise, exit and the title link.
#include "display_names.h"
#include "form1.h"
#include "form2.h"
#include "form3.h"
#include "player.h"
#include "web/web_host.h"
#include "web/web_page.h"

namespace player {

void Form1::wireCommands() {
  Image1.Click = [this](int Index) { Image1_Click(Index); };
  Image1.DblClick = [this](int Index) { Image1_DblClick(Index); };
  mainIMG.Click = [this] { mainIMG_Click(); };
  imgPlyAll.MouseDown = [this](int, int, double, double) { imgPlyAll_MouseDown(); };
  imgPlyAll.MouseUp = [this](int, int, double, double) { imgPlyAll_MouseUp(); };
  minIMG.MouseDown = [this](int, int, double, double) { minIMG_MouseDown(); };
  minIMG.MouseUp = [this](int, int, double, double) { minIMG_MouseUp(); };
  Image9.MouseDown = [this](int, int, double, double) { Image9_MouseDown(); };
  Image2.Click = [this] { Image2_Click(); };
  ttlL.Click = [this] { ttlL_Click(); };
}

// The box's picture goes to the large picture, and the album becomes the
// current one.
void Form1::selectAlbum(int Index) {
  setBorder(Index);
  Album = static_cast<std::int16_t>(Index + 1);
  theAlbum = GetAlbumName(Album);
}

void Form1::Image1_Click(int Index) {
  selectAlbum(Index);
  Label8.setCaption(withoutNumber(theAlbum));
}

void Form1::Image1_DblClick(int Index) {
  selectAlbum(Index);
  sort(true);
}

void Form1::mainIMG_Click() { sort(true); }

// The first press latches the button down and switches continuous play on;
// the next press and release switch it off. The player window acts on the
// flags.
void Form1::imgPlyAll_MouseDown() {
  if (!PlayAllPressed) {
    imgPlyAll.setPicture(Image5.Picture());
    PlayAll = true;
    PlayAllPressed = true;
    player_.form2().beenPlying = false;
    pickUp = false;
  } else {
    pickUp = true;
  }
}

void Form1::imgPlyAll_MouseUp() {
  if (PlayAllPressed && pickUp) {
    imgPlyAll.setPicture(Image4.Picture());
    PlayAll = false;
    PlayAllPressed = false;
    pickUp = true;
  }
}

void Form1::minIMG_MouseDown() { minIMG.setPicture(Image7.Picture()); }

// The taskbar tells what plays while the browser is away.
QString Form1::minimisedCaption() {
  const Form2& window = player_.form2();
  const QString title = Label1.Caption();
  if (window.BasketPressed) return title + " - " + Label5.Caption() + " - " + Label4.Caption();
  if (window.isPlaying) return albumPlayCaption();
  return title + " - " + llCase(withoutNumber(theAlbum));
}

QString Form1::albumPlayCaption() const {
  const Form2& window = player_.form2();
  return Label1.Caption() + " - " + llCase(withoutNumber(window.OriginalAlbum)) + " - " +
         llCase(withoutNumber(List1.List(window.OriginalSngIdx)));
}

void Form1::showAlbumPlayInCaptions() {
  setCaption(albumPlayCaption());
  player_.form3().setCaption(Caption());
}

void Form1::minIMG_MouseUp() {
  minIMG.setPicture(Image6.Picture());
  setCaption(minimisedCaption());
  Form3& placeholder = player_.form3();
  placeholder.setCaption(Caption());
  Hide();
  placeholder.Hide();
  placeholder.setWindowState(controls::vbMinimized);
  placeholder.Show();
}

void Form1::Image9_MouseDown() {
  if (!Command2.Visible()) {
    Image9.setPicture(Image3.Picture());
    Command2.setVisible(true);
    Text1.setVisible(true);
    Text1.setCaretVisible(false);
  } else {
    Image9.setPicture(Image8.Picture());
    Text1.setVisible(false);
    Command2.setVisible(false);
  }
}

// Its unload stops the media control and takes every window down.
void Form1::Image2_Click() { Unload(); }

void Form1::ttlL_Click() {
  platform::openWebPage(QString::fromLatin1(platform::kPlayerTitleLinkPath), platform::WindowStyle::Normal);
}

}  // namespace player
