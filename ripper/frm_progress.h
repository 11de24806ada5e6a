#pragma once
// frmProgress, the progress window of a track's rip: a borderless window
// with the status line, the bar and the Cancel button, which asks the rip
// to stop after its current block and closes nothing itself. Only the rip
// takes the window down: a close asked by the window system (Alt+F4, a
// window list) leaves it up with its Cancel. A Cancel still held down when
// the rip takes the window away, or when a track ends, counts as pressed:
// its release would come to no window, or only after the next track began.

#include <QString>

#include "command_button.h"
#include "form.h"
#include "label.h"
#include "picture_box.h"
#include "shape.h"

class frmProgress : public controls::Form {
 public:
  frmProgress();

  controls::Shape Shape1{*this, "Shape1"};
  controls::Label lblStatus{*this, "lblStatus"};
  controls::PictureBox picProgress1{*this, "picProgress1"};  // the bar's frame: 100 %
  controls::PictureBox picProgress2{picProgress1, "picProgress2"};  // the bar
  controls::CommandButton Command1{*this, "Command1"};  // "Cancel"

  // Caption "Progress " with CurVal / TotVal as a percentage ("43.33") and
  // " %", the bar that share of its frame's inner width, and `Status`.
  void ChangeProgress(const QString& Status, float CurVal, float TotVal);
  // Back to what the window shows before a track's first block is done:
  // the caption "Progress", the status "Extracting track" and no bar.
  void startTrack();
  // A Cancel held down now counts as pressed.
  void takeHeldCancel();

 protected:
  void Form_QueryUnload(int& cancel, int unloadMode) override;
  void Form_Unload(int& cancel) override;

 private:
  void Command1_Click();
};

// CurVal / TotVal (in single precision) as a percentage in the "00.00"
// format: at least two digits before the point, two after ("05.00",
// "43.33", "100.00").
QString percentText(float CurVal, float TotVal);
