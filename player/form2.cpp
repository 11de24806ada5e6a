#include "form2.h"

#include "artwork.h"
#include "design.h"
#include "player.h"
#include "screen.h"

namespace player {
namespace {

using artwork::Look;
using artwork::Tool;
using artwork::Transport;

constexpr controls::OleColor kSongColour = 0xFFC0C0;     // pale blue
constexpr controls::OleColor kReadoutColour = 0xE0E0E0;  // light grey

// A transport button at `left`, at rest, with its three looks beside it.
void designTransportButton(controls::Image& button, double left, Transport kind, controls::Image& normal,
                           controls::Image& lit, controls::Image& pressed) {
  designLook(normal, artwork::transportButton(kind, Look::Normal));
  designLook(lit, artwork::transportButton(kind, Look::Lit));
  designLook(pressed, artwork::transportButton(kind, Look::Pressed));
  button.setPicture(normal.Picture());
  button.Move(left, 120);
}

}  // namespace

Form2::Form2(Player& player) : Form("Form2"), player_(player) {
  setBorderStyle(0);
  MP1 = player_.makeMediaControl();
  designTransport();
  designSongs();
  designPersonalList();
}

void Form2::designTransport() {
  Frame1.setBorderStyle(0);
  Frame1.Move(0, 0, 7500, 1500);
  designTransportButton(imgRewB, 300, Transport::Previous, ir1, ir2, ir3);
  designTransportButton(imgPlayB, 900, Transport::Play, ip1, ip2, ip3);
  designTransportButton(imgPauseB, 1500, Transport::Pause, ips1, ips2, ips3);
  designTransportButton(imgStopB, 2100, Transport::Stop, is1, is2, is3);
  designTransportButton(imgFfB, 2700, Transport::Next, if1, if2, if3);

  scrlT.Move(300, 900, 6900, 255);
  scrlVOL.Move(3600, 150, 2100, 240);
  scrlBAL.Move(3600, 480, 2100, 240);
  designLabel(Label7, 300, 1200, 600, 255, 8, kReadoutColour);
  Label7.setCaption("Time:");

  // The readouts take the control's place at start-up.
  MP1->setRect(5850, 150, 1350, 255);
  designLabel(Label3, 5850, 150, 1350, 255, 8, kReadoutColour);
  designLabel(Label9, 5850, 150, 1350, 255, 8, kReadoutColour);
  Label9.setVisible(false);
  designLook(Image4, artwork::toolButton(Tool::ViewSwitch, false));
  designLook(Image5, artwork::toolButton(Tool::ViewSwitch, true));
  Image2.setPicture(Image4.Picture());
  Image2.Move(6450, 450);
}

void Form2::designSongs() {
  Image3.setStretch(true);
  Image3.Move(300, 1800, 2700, 2700);
  designLabel(namLBL, 300, 4650, 2700, 600, 10, controls::vbWhite, true);

  designLabel(Label5, 300, 5400, 2700, 240, 8, kReadoutColour);
  Label5.setCaption("Playing Album : ");
  designLabel(PlayingSong, 300, 5640, 2700, 285, 10, 0x80C0FF, true);
  designLabel(Label6, 300, 6000, 2700, 240, 8, kReadoutColour);
  Label6.setCaption("Playing Song : ");
  designLabel(Label4, 300, 6240, 2700, 285, 10, 0x80C0FF, true);

  Command1.setStyle(1);
  Command1.setEnabled(false);
  Command1.Move(3300, 1800, 4500, 7000);
  Label1(0).setDragIcon(artwork::songDragIcon());
  for (int i = 0; i <= Label1.UBound(); ++i) {
    designLabel(Label1(i), 3420, 1860 + i * 220, 4260, 220, 9, kSongColour);
    Label1(i).setVisible(false);
  }

  Text1.setMultiLine(true);
  Text1.setScrollBars(2);
  Text1.setBorderStyle(0);
  Text1.setForeColor(controls::vbWhite);
  Text1.Move(8100, 1800, 4800, 5100);
}

void Form2::designPersonalList() {
  FrameUtils.setBorderStyle(0);
  FrameUtils.Move(8100, 7050, 4800, 1750);
  pList.Move(0, 0, 4200, 1750);
  const struct {
    controls::Image& button;
    controls::Image& look;
    controls::Picture picture;
    double top;
  } switches[] = {
      {Image8, Image6, artwork::toolButton(Tool::PersonalList, false), 0},
      {Image11, Image12, artwork::toolButton(Tool::Shuffle, false), 450},
      {Image16, Image17, artwork::toolButton(Tool::Repeat, false), 900},
      {Image13, Image14, artwork::toolButton(Tool::ClearList, false), 1350},
  };
  for (const auto& s : switches) {
    designLook(s.look, s.picture);
    s.button.setPicture(s.picture);
    s.button.Move(4350, s.top);
  }
  designLook(Image10, artwork::toolButton(Tool::Shuffle, true));
  designLook(Image18, artwork::toolButton(Tool::Repeat, true));
  Command4.setVisible(false);

  designLabel(ttlL, 300, 8700, 2700, 255, 9, kReadoutColour);
  ttlL.setCaption("Quendrel.");
  ttlL.setFontUnderline(true);
}

void Form2::Form_Load() {
  Move(0, 0, controls::Screen::Width() + 5000, controls::Screen::Height());
}

void Form2::Form_Unload(int&) { Text1.setCaretVisible(true); }

void Form2::setView() {
  if (!Label3.Visible()) {
    Label3.setVisible(true);
    Label9.setVisible(false);
    MP1->setVisible(false);
  } else {
    Label9.setVisible(true);
    Label3.setVisible(false);
  }
}

}  // namespace player
