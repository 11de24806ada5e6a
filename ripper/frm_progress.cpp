#include "frm_progress.h"

#include <cmath>

#include "look.h"
#include "track_rip.h"

namespace {

constexpr double kWidth = 5220, kHeight = 1125;
constexpr double kBarInset = 15;  // inside the frame's border line

}  // namespace

frmProgress::frmProgress() : Form("frmProgress") {
  controls::designFramedPanel(*this, Shape1, kWidth, kHeight);

  lblStatus.Move(240, 135, 4740, 420);
  lblStatus.setBackStyle(0);
  lblStatus.setForeColor(0x3A2A1C);
  // It names the file being written, whose names may hold "&".
  lblStatus.setUseMnemonic(false);

  picProgress1.Move(240, 630, 3660, 300);
  picProgress1.setBackColor(0xFFFFFF);
  picProgress2.Move(kBarInset, kBarInset, 0, picProgress1.ScaleHeight());
  picProgress2.setBorderStyle(0);
  picProgress2.setBackColor(0xB47F4A);

  Command1.Move(4080, 600, 900, 360);
  Command1.setCaption(QStringLiteral("Cancel"));
  Command1.Click = [this] { Command1_Click(); };
  startTrack();
}

void frmProgress::ChangeProgress(const QString& Status, float CurVal, float TotVal) {
  setCaption(QStringLiteral("Progress ") + percentText(CurVal, TotVal) + QStringLiteral(" %"));
  const float share = TotVal != 0 ? CurVal / TotVal : 0.0f;
  picProgress2.setWidth(share * picProgress1.ScaleWidth());
  lblStatus.setCaption(Status);
}

void frmProgress::startTrack() {
  setCaption(QStringLiteral("Progress"));
  picProgress2.setWidth(0);
  lblStatus.setCaption(QStringLiteral("Extracting track"));
}

void frmProgress::takeHeldCancel() {
  if (Command1.isHeldDown()) Command1_Click();
}

void frmProgress::Command1_Click() { ripper::CancelRip = ripper::kCancelled; }

// Gone, the window would take the rip's only Cancel with it while the rip
// went on to its end behind the disabled ripper window.
void frmProgress::Form_QueryUnload(int& cancel, int unloadMode) {
  if (unloadMode == controls::vbFormControlMenu) cancel = 1;
}

// The rip takes the window down when a track ends and no other follows in
// it; a Cancel pressed as the track ended stops the tracks after it.
void frmProgress::Form_Unload(int&) { takeHeldCancel(); }

QString percentText(float CurVal, float TotVal) {
  const float percent = TotVal != 0 ? CurVal / TotVal * 100.0f : 0.0f;
  // Halves go away from zero at the second decimal of the value as written
  // in decimal; the small allowance keeps 12.125 from falling to 12.12
  // through its binary neighbour.
  const double hundredths = std::floor(std::fabs(static_cast<double>(percent)) * 100.0 + 0.5 + 1e-7);
  QString text = QString::number(hundredths / 100.0, 'f', 2);
  if (text.indexOf(u'.') < 2) text.prepend(u'0');
  if (percent < 0 && hundredths != 0) text.prepend(u'-');
  return text;
}
