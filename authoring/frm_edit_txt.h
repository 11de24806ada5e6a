#pragma once
// frmEditTxt, the small modal text editor of the information text and the
// lyrics. The caller puts the text into Text1 and its own caption, shows the
// window modally and reads the answer from Form5's largeText afterwards: OK
// puts the box's text there; any other close (the close box, Escape) leaves
// largeText as it was.

#include "command_button.h"
#include "form.h"
#include "label.h"
#include "text_box.h"

class frmEditTxt : public controls::Form {
 public:
  frmEditTxt();

  controls::Label Label1{*this, "Label1"};  // "Up to 10,000 characters:"
  controls::TextBox Text1{*this, "Text1"};
  controls::CommandButton Command1{*this, "Command1"};  // "OK"

  void Command1_Click();

 protected:
  void Form_Load() override;
};
