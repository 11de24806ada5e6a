#pragma once
// A text box, one line or several. Text keeps the line breaks as CR LF, the
// way the programs store and compare it; Change comes with every change of
// Text, typed or set.

#include "control.h"

class QPlainTextEdit;

namespace controls {

class TextBox : public Control {
 public:
  TextBox(Container& parent, QString name);

  QString Text() const;
  void setText(const QString& text);
  // Several lines: Enter starts a new line and long lines wrap.
  bool MultiLine() const { return multiLine_; }
  void setMultiLine(bool multiLine);
  // 0 none, 1 horizontal, 2 vertical, 3 both.
  int ScrollBars() const { return scrollBars_; }
  void setScrollBars(int bars);
  // The most characters the user can type; 0 for no limit.
  int MaxLength() const { return maxLength_; }
  void setMaxLength(int length) { maxLength_ = length; }
  // The user can read and select but not change the text.
  bool Locked() const { return locked_; }
  void setLocked(bool locked);
  // 0 left, 1 right, 2 centred.
  int Alignment() const { return alignment_; }
  void setAlignment(int alignment);
  // 0 none, 1 a single line (the default).
  int BorderStyle() const { return borderStyle_; }
  void setBorderStyle(int style);

  int SelStart() const;
  void setSelStart(int start);
  int SelLength() const;
  void setSelLength(int length);
  QString SelText() const;

  // The text caret, which the windows hide in their read-only boxes.
  bool caretVisible() const { return caretVisible_; }
  void setCaretVisible(bool visible);

  std::function<void()> Change;

 protected:
  QPalette::ColorRole backRole() const override { return QPalette::Base; }
  QPalette::ColorRole foreRole() const override { return QPalette::Text; }

 private:
  friend class TextEdit;
  QPlainTextEdit* edit() const;
  void applyScrollBars();
  // Whether the user may type `text` in place of the selection.
  bool allowsTyping(const QString& text) const;

  bool multiLine_ = false;
  int scrollBars_ = 0;
  int maxLength_ = 0;
  bool locked_ = false;
  int alignment_ = 0;
  int borderStyle_ = 1;
  bool caretVisible_ = true;
};

}  // namespace controls
