// The player window's design: where each control lies, its font, colour and
// look. The window's panel is as wide as the browser's and lies where it
// lies, so that the open album's picture takes up where the browser's large
// picture was.
#include "artwork.h"
#include "design.h"
#include "form2.h"

namespace player {
namespace {

using artwork::Look;
using artwork::Tool;
using artwork::Transport;

// The panel fills an 800 x 600 screen.
constexpr double kMargin = 240;
constexpr double kPanelWidth = 12000;
constexpr double kPanelHeight = 9000;

// Rows of the panel, top to bottom.
constexpr double kTransportTop = 1260;
constexpr double kClockTop = kTransportTop + 150;
constexpr double kPositionTop = 1890;
constexpr double kLevelsTop = 2250;
constexpr double kSongsTop = 2760;
constexpr double kSongHeight = 195;

// The lyrics box and the personal list under it, right of the songs; the
// list ends a little above the panel's foot.
constexpr double kLyricsLeft = 4500;
constexpr double kLyricsWidth = kPanelWidth - kMargin - kLyricsLeft;
constexpr double kUtilsHeight = 1395;
constexpr double kUtilsTop = kPanelHeight - 105 - kUtilsHeight;

// A transport button at `left`, at rest, with its three looks beside it.
void designTransportButton(controls::Image& button, double left, Transport kind, controls::Image& normal,
                           controls::Image& lit, controls::Image& pressed) {
  designLook(normal, artwork::transportButton(kind, Look::Normal));
  designLook(lit, artwork::transportButton(kind, Look::Lit));
  designLook(pressed, artwork::transportButton(kind, Look::Pressed));
  button.setPicture(normal.Picture());
  button.Move(left, kTransportTop);
}

// A step button: a small chip of its colour beside its slider.
void designStepButton(controls::CommandButton& button, double left, double top, controls::OleColor colour) {
  button.setStyle(1);
  button.setBackColor(colour);
  button.Move(left, top, 300, 135);
  button.widget()->setStyleSheet(QStringLiteral("QPushButton { border: 1px solid rgba(255,255,255,90);"
                                                " border-radius: 3px; background: %1; }"
                                                "QPushButton:pressed { border-color: white; }"
                                                "QPushButton:focus { border-color: rgba(255,255,255,200); }")
                                     .arg(controls::toQColor(colour).name()));
}

}  // namespace

void Form2::design() {
  setBorderStyle(0);
  Frame1.setBorderStyle(0);
  Frame1.Move(0, 0, kPanelWidth, kPanelHeight);
  designHeading();
  designTransport();
  designSliders();
  designSongs();
  designPersonalList();
}

void Form2::designHeading() {
  designLabel(namLBL, kMargin, 150, 9180, 420, 16, controls::vbWhite, true);

  designLabel(Label5, kMargin, 630, 1440, 240, 8, kCaptionColour);
  Label5.setCaption("Playing Album : ");
  designLabel(PlayingSong, 1680, 585, 7740, 285, 10, kSongPlayingColour, true);
  designLabel(Label6, kMargin, 900, 1440, 240, 8, kCaptionColour);
  Label6.setCaption("Playing Song : ");
  designLabel(Label4, 1680, 870, 7740, 285, 10, kSongPlayingColour, true);
  // The title and the names show as they stand: an "&" in them is a letter.
  for (controls::Label* label : {&namLBL, &PlayingSong, &Label4}) label->setUseMnemonic(false);

  // Where the browser's large picture was, a little to the right.
  Image3.setStretch(true);
  Image3.Move(9660, 150, 2100, 2100);
  Image3.setBorderStyle(0);
  Image3.setMousePointer(controls::vbUpArrow);
  Image3.setToolTipText("Back to the albums");
}

void Form2::designTransport() {
  designTransportButton(imgRewB, kMargin, Transport::Previous, ir1, ir2, ir3);
  designTransportButton(imgPlayB, kMargin + 600, Transport::Play, ip1, ip2, ip3);
  designTransportButton(imgPauseB, kMargin + 1200, Transport::Pause, ips1, ips2, ips3);
  designTransportButton(imgStopB, kMargin + 1800, Transport::Stop, is1, is2, is3);
  designTransportButton(imgFfB, kMargin + 2400, Transport::Next, if1, if2, if3);

  // The clock and the readout beside the buttons.
  designLabel(Label7, 3390, kClockTop + 75, 540, 240, 8, kCaptionColour);
  Label7.setCaption("Time:");
  designLabel(lblMIN, 3930, kClockTop, 330, 330, 12, controls::vbWhite, true);
  designLabel(Label10, 4260, kClockTop, 120, 330, 12, controls::vbWhite, true);
  designLabel(lblSEC, 4380, kClockTop, 330, 330, 12, controls::vbWhite, true);
  lblMIN.setCaption("00");
  Label10.setCaption(":");
  lblSEC.setCaption("00");
  lblMIN.setAlignment(1);

  // The readouts take the control's place at start-up. The widest of them,
  // " Balance: -10000", needs about 1400 twips: a narrower place wraps the
  // number onto a second line, out of sight.
  constexpr double kReadoutLeft = 4950;
  constexpr double kReadoutWidth = 1800;
  MP1->setRect(kReadoutLeft, kClockTop + 75, kReadoutWidth, 240);
  designLabel(Label3, kReadoutLeft, kClockTop + 75, kReadoutWidth, 240, 8, kCaptionColour);
  designLabel(Label9, kReadoutLeft, kClockTop + 75, kReadoutWidth, 240, 8, kCaptionColour);
  // What the refresh writes there, until it first does.
  Label3.setCaption(" Volume: 90");
  Label9.setCaption(" Balance: 0");
  Label3.setVisible(false);
  Label9.setVisible(false);
  designLook(Image4, artwork::toolButton(Tool::ViewSwitch, false));
  designLook(Image5, artwork::toolButton(Tool::ViewSwitch, true));
  Image2.setPicture(Image4.Picture());
  Image2.Move(kReadoutLeft + kReadoutWidth + 60, kClockTop - 15);
  Image2.setToolTipText("Volume or balance");
}

void Form2::designSliders() {
  // Position across the panel, under the buttons.
  designStepButton(Command12, kMargin, kPositionTop + 60, 0xFF00FF);
  scrlT.Move(600, kPositionTop, 8220, 255);
  designStepButton(Command13, 8880, kPositionTop + 60, 0x80);
  scrlT.setToolTipText("Position");
  for (controls::HScrollBar* slider : {&scrlT, &scrlVOL, &scrlBAL}) slider->widget()->setStyleSheet(sheets::kSlider);

  // Volume on the left, balance on the right, each with its steps.
  designStepButton(Command7, kMargin, kLevelsTop + 60, 0xFF8080);
  scrlVOL.Move(600, kLevelsTop, 3600, 255);
  designStepButton(Command8, 4260, kLevelsTop + 60, 0x8000000D);
  scrlVOL.setToolTipText("Volume");
  designStepButton(Command9, 4860, kLevelsTop + 60, 0xC000);
  scrlBAL.Move(5220, kLevelsTop, 3600, 255);
  designStepButton(Command11, 8880, kLevelsTop + 60, 0x80FFFF);
  designStepButton(Command10, 6870, kLevelsTop + 285, 0x80FF);
  scrlBAL.setToolTipText("Balance");
}

void Form2::designSongs() {
  Label1(0).setDragIcon(artwork::songDragIcon());
  for (int i = 0; i <= Label1.UBound(); ++i) {
    // 8 points: a row of 13 pixels holds the letters that reach below the line.
    designLabel(Label1(i), kMargin, kSongsTop + i * kSongHeight, 4080, kSongHeight, 8, kSongNormalColour);
    Label1(i).setVisible(false);
    Label1(i).setUseMnemonic(false);
  }

  // The lyrics box lies on its backdrop, 50 twips inside it.
  Command1.Move(kLyricsLeft, kSongsTop, kLyricsWidth, kUtilsTop - 50 - kSongsTop);
  designBackdrop(Command1);
  Command1.setEnabled(false);
  designReadingBox(Text1);
  Text1.Move(Command1.Left() + 50, Command1.Top() + 50, Command1.Width() - 100, Command1.Height() - 100);
}

void Form2::designPersonalList() {
  // The entries themselves and what has been heard are never shown.
  PrivateList.setVisible(false);
  BeenHeardList.setVisible(false);
  FrameUtils.setBorderStyle(0);
  const double utilsTop = Command1.Top() + Command1.Height() + 50;
  FrameUtils.Move(kLyricsLeft, utilsTop, kLyricsWidth, kUtilsHeight);

  // The list on its backdrop at the left, the buttons at the right.
  constexpr double listWidth = 4560;
  Command4.Move(0, 0, listWidth, kUtilsHeight);
  designBackdrop(Command4);
  Command4.setEnabled(false);
  pList.Move(50, 50, listWidth - 100, kUtilsHeight - 100);
  pList.setForeColor(kSongNormalColour);
  pList.widget()->setStyleSheet(sheets::kScrollingBox);

  constexpr double buttonsLeft = listWidth + 150;
  designLook(Image6, artwork::personalListButton(false));
  designLook(Image7, artwork::personalListButton(true));
  Image8.setPicture(Image6.Picture());
  Image8.Move(buttonsLeft, 0);
  Image8.setToolTipText("Drop songs here");
  Image9.setPicture(artwork::dropHint());
  Image9.Move(buttonsLeft, 1005);
  Image9.setVisible(false);

  // The switches and the list's two commands in a row under the mode
  // button; each switch with its off and on looks, clear with its released
  // and pressed looks.
  const struct {
    controls::Image& button;
    controls::Image* off;
    controls::Image* on;
    Tool tool;
    const char* tip;
  } tools[] = {
      {Image11, &Image12, &Image10, Tool::Shuffle, "Shuffle"},
      {Image16, &Image17, &Image18, Tool::Repeat, "Repeat"},
      {Image19, nullptr, nullptr, Tool::Remove, "Remove the selected song"},
      {Image13, &Image14, &Image15, Tool::ClearList, "Clear the list"},
  };
  double left = buttonsLeft;
  for (const auto& t : tools) {
    const controls::Picture off = artwork::toolButton(t.tool, false);
    if (t.off) designLook(*t.off, off);
    if (t.on) designLook(*t.on, artwork::toolButton(t.tool, true));
    t.button.setPicture(off);
    t.button.Move(left, 555);
    t.button.setToolTipText(t.tip);
    left += 480;
  }

  // Under the album's picture, at its right edge.
  designLabel(ttlL, 9660, 2400, 2100, 255, 9, kCaptionColour);
  ttlL.setAlignment(1);
  ttlL.setCaption("Quendrel.");
  ttlL.setFontUnderline(true);
  ttlL.setMousePointer(controls::vbUpArrow);
}

}  // namespace player
