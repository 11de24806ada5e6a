// The position, volume and balance sliders with their step buttons, the
// readouts and the elapsed-time clock. Only dragging a thumb reaches the
// media control; a click on a slider's arrow or track moves the slider alone.
#include <QString>

#include "form1.h"
#include "channel_gains.h"
#include "form2.h"
#include "player.h"
#include "runtime_rules.h"

namespace player {
namespace {

using media::PlayState;

void setCaptionIfNew(controls::Label& label, const QString& caption) {
  if (label.Caption() != caption) label.setCaption(caption);
}

// The volume in tenths of a percent of the slider's span, written in its
// shortest form: -600 gives "90", -5994 gives "0.1", -6000 to -5995 "0".
QString volumeText(int volume) {
  const auto tenths = static_cast<long long>(runtime::Int((volume + 6000) / 6.0));
  QString text = QString::number(tenths / 10);
  if (tenths % 10 != 0) text += '.' + QString::number(tenths % 10);
  return text;
}

QString volumeReadout(int volume) { return " Volume: " + volumeText(volume); }

QString balanceReadout(int balance) { return " Balance: " + QString::number(balance); }

}  // namespace

void Form2::wireSliders() {
  scrlT.Scroll = [this] { scrlT_Scroll(); };
  scrlVOL.Scroll = [this] { scrlVOL_Scroll(); };
  scrlBAL.Scroll = [this] { scrlBAL_Scroll(); };
  Command7.Click = [this] { stepVolume(media::kQuietestVolume); };
  Command8.Click = [this] { stepVolume(media::kLoudestVolume); };
  Command9.Click = [this] { stepBalance(media::kLeftBalance); };
  Command10.Click = [this] { stepBalance(0); };
  Command11.Click = [this] { stepBalance(media::kRightBalance); };
  Command12.Click = [this] { Command12_Click(); };
  Command13.Click = [this] { Command13_Click(); };
}

// Every system tick while the window is shown: the reads are the control's
// cheap ones, and a slider or caption is written only when its value changes.
void Form2::Timer3_Timer() {
  const PlayState state = MP1->playState();
  if (state == PlayState::Playing) {
    if (scrlT.Min() != 0) scrlT.setMin(0);
    const int length = static_cast<int>(runtime::roundHalfEven(MP1->duration()));
    if (scrlT.Max() != length) scrlT.setMax(length);
  } else {
    if (scrlT.Min() != -1) scrlT.setMin(-1);
    if (MP1State != 1 && scrlT.Max() != 1000) scrlT.setMax(1000);
  }
  const double position = MP1->currentPosition();
  if (position <= scrlT.Max()) scrlT.setValue(static_cast<int>(runtime::roundHalfEven(position)));

  if (shownVolume_ != scrlVOL.Value()) {
    shownVolume_ = scrlVOL.Value();
    setCaptionIfNew(Label3, volumeReadout(*shownVolume_));
  }
  if (shownBalance_ != scrlBAL.Value()) {
    shownBalance_ = scrlBAL.Value();
    setCaptionIfNew(Label9, balanceReadout(*shownBalance_));
  }
}

void Form2::Timer2_Timer() {
  Form1& browser = player_.form1();
  ++browser.sec;
  if (browser.sec == 60) {
    browser.sec = 0;
    ++browser.min;
  }
  lblSEC.setCaption(QString::fromStdString(runtime::twoDigits(browser.sec)));
  lblMIN.setCaption(QString::fromStdString(runtime::twoDigits(browser.min)));
}

void Form2::setSmallButtons(bool) { scrlT.SetFocus(); }

void Form2::scrlT_Scroll() { MP1->setCurrentPosition(scrlT.Value()); }

void Form2::showReadout(controls::Label& shown, controls::Label& hidden) {
  hidden.setVisible(false);
  shown.setVisible(true);
}

void Form2::scrlVOL_Scroll() {
  MP1->setVolume(scrlVOL.Value());
  if (!Label3.Visible()) {
    MP1->setVisible(false);
    showReadout(Label3, Label9);
  }
}

void Form2::scrlBAL_Scroll() {
  MP1->setBalance(scrlBAL.Value());
  if (!Label9.Visible()) {
    MP1->setVisible(false);
    showReadout(Label9, Label3);
  }
}

void Form2::stepVolume(int volume) {
  MP1->setVolume(volume);
  scrlVOL.setValue(volume);
  setSmallButtons(true);
  MP1->setVisible(false);
  showReadout(Label3, Label9);
}

void Form2::stepBalance(int balance) {
  MP1->setBalance(balance);
  scrlBAL.setValue(balance);
  setSmallButtons(true);
  MP1->setVisible(false);
  showReadout(Label9, Label3);
}

void Form2::Command12_Click() {
  MP1->setCurrentPosition(0);
  scrlT.setValue(0);
  setSmallButtons(true);
  MP1->setVisible(false);
}

// A tenth of the song on; near the end, one second before the end.
void Form2::Command13_Click() {
  const double length = MP1->duration();
  const double position = MP1->currentPosition();
  if ((MP1State == 1 || MP1State == 2) && length > position + length / 10)
    MP1->setCurrentPosition(position + length / 10);
  else
    MP1->setCurrentPosition(length - 1);
  setSmallButtons(true);
  MP1->setVisible(false);
}

}  // namespace player
