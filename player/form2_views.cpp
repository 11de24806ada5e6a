// The player window's readout switch, the personal list's shuffle and
// repeat switches, and the layout pass for screens on which the browser had
// to shrink its album boxes.
#include "form2.h"
#include "runtime_rules.h"
#include "screen.h"

namespace player {
namespace {

// A switch turns over and shows the look of its new state.
void flipSwitch(bool& on, controls::Image& button, const controls::Image& onLook, const controls::Image& offLook) {
  on = !on;
  button.setPicture((on ? onLook : offLook).Picture());
}

}  // namespace

void Form2::wireViews() {
  // The switch and the readout with the labels beside it act as one button.
  for (controls::Element* part : std::initializer_list<controls::Element*>{&Image2, &Label10, &Label3, &Label7, &Label9}) {
    part->MouseDown = [this](int, int, double, double) { Image2.setPicture(Image5.Picture()); };
    part->MouseUp = [this](int, int, double, double) {
      Image2.setPicture(Image4.Picture());
      setView();
    };
  }
  Image11.MouseDown = [this](int, int, double, double) { Image11_MouseDown(); };
  Image16.MouseDown = [this](int, int, double, double) { Image16_MouseDown(); };
}

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

void Form2::Image11_MouseDown() { flipSwitch(playPrvLstRand, Image11, Image10, Image12); }

void Form2::Image16_MouseDown() { flipSwitch(repeatPrvtLst, Image16, Image18, Image17); }

// Each step reads what the steps before it left. Every call moves and
// narrows the controls again; the browser calls it at most once.
void Form2::reArangeFormSize() {
  const double screenWidth = controls::Screen::Width();
  const double screenHeight = controls::Screen::Height();
  const auto rounded = [](double twips) { return static_cast<double>(runtime::roundHalfEven(twips)); };

  // The lyrics box ends 1500 twips above the bottom of the screen, and 100
  // before its right edge once it has moved right by the 1000 twips below:
  // were the move not allowed for, the box would end 900 twips past the
  // edge, its scroll bar out of sight.
  constexpr double kMoveRight = 1000;
  const double bottom = rounded(Text1.Top() + Text1.Height());
  Text1.setHeight(Text1.Height() - (bottom - screenHeight) - 1500);
  const double right = rounded(Text1.Left() + Text1.Width());
  Text1.setWidth(Text1.Width() - (right - screenWidth) - 100 - kMoveRight);

  Command1.setWidth(Text1.Width() + 100);
  Command1.setHeight(Text1.Height() + 100);
  Text1.setLeft(Text1.Left() + kMoveRight);
  Command1.setLeft(Command1.Left() + kMoveRight);
  FrameUtils.setTop(Command1.Top() + Command1.Height() + 50);

  for (int i = 0; i <= Label1.UBound(); ++i) Label1(i).setLeft(700);
  for (controls::Control* narrowed :
       std::initializer_list<controls::Control*>{&scrlBAL, &scrlT, &scrlVOL, &pList, &Command4})
    narrowed->setWidth(narrowed->Width() - 700);
}

}  // namespace player
