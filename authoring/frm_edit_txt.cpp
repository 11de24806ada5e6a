#include "frm_edit_txt.h"

#include "form5.h"
#include "key_codes.h"

namespace {

// Longer texts can be put into the box by the program, and are kept whole;
// only typing stops here.
constexpr int kMostTypedCharacters = 10000;

}  // namespace

frmEditTxt::frmEditTxt() : Form("frmEditTxt") {
  setCaption(QStringLiteral("Edit Text"));
  setBorderStyle(3);
  setBackColor(0xE0E0E0);
  setWidth(4680);
  setHeight(3675);
  Label1.Move(120, 120, 4335, 375);
  Label1.setCaption(QStringLiteral("Up to 10,000 characters:"));
  Label1.setBackStyle(0);
  Text1.setMultiLine(true);
  Text1.setScrollBars(2);
  Text1.setMaxLength(kMostTypedCharacters);
  Text1.Move(120, 480, 4335, 2415);
  Command1.Move(1800, 3120, 1095, 375);
  Command1.setCaption(QStringLiteral("OK"));

  Command1.Click = [this] { Command1_Click(); };
  // Escape cancels, as the close box does: the caller's text stays.
  for (controls::Element* element : {static_cast<controls::Element*>(this), static_cast<controls::Element*>(&Text1),
                                     static_cast<controls::Element*>(&Command1)})
    element->KeyDown = [this](int& KeyCode, int) {
      if (KeyCode != controls::vbKeyEscape) return;
      KeyCode = 0;
      Unload();
    };
}

void frmEditTxt::Form_Load() {
  if (Form5* main = Form5::instance()) setIcon(main->Icon());
}

void frmEditTxt::Command1_Click() {
  if (Form5* main = Form5::instance()) main->largeText = Text1.Text();
  Unload();
}
