#pragma once
// frmMessage, the small message window: the splash at start-up, the help
// texts and notices (modal, closed by the first click), and the
// "Working...." indicator of long work (modeless).

#include <QString>

#include "form.h"
#include "label.h"
#include "shape.h"

class frmMessage : public controls::Form {
 public:
  frmMessage();

  // True: a press on the window or a click on its text unloads it, and so
  // does a close asked by the window system (Alt+F4, a window list); False:
  // all of them leave it up (the splash and "Working...." go when the
  // program hides them).
  bool closeOnClick = false;

  controls::Shape Shape1{*this, "Shape1"};  // the frame around the text
  controls::Label Label1{*this, "Label1"};  // the text, centred

  // Label1 shows `text`; a text longer than the designed box makes the
  // box and the window taller, so that no word of it is cut off.
  void showText(const QString& text);

 protected:
  void Form_QueryUnload(int& cancel, int unloadMode) override;

 private:
  void closeIfAllowed();
};
