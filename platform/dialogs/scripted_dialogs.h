#pragma once
// For tests: a dialog service that answers from a script and records every
// box. Boxes must come in the order they were expected; a box the script did
// not expect fails the test (non-fatally) with its prompt, style and title,
// and is answered harmlessly (closeAnswer: OK, Cancel or No; the empty text
// for an input box) so that the code under test goes on. When the script is
// destroyed (or verifyAllShown() is called), every expected box that was not
// shown fails the test.
//
//   platform::ScopedDialogs dialogs;
//   dialogs->expectMsgBox("Detele this project?", platform::vbYes).withStyle(platform::vbYesNo);
//   dialogs->expectInputBox("Album name:", "Rock");

#include <deque>
#include <optional>
#include <vector>

#include <QString>

#include "dialogs/dialog_service.h"
#include "system/scoped_install.h"

namespace platform {

struct ShownBox {
  enum class Kind { MsgBox, InputBox };
  Kind kind = Kind::MsgBox;
  QString prompt;
  int style = vbOKOnly;  // message boxes
  QString title;         // the title as passed (may be empty)
  QString shownTitle;    // the title the box showed (the program's title when none was passed)
  QString defaultText;   // input boxes
};

class ScriptedDialogs : public DialogService {
 public:
  class Expectation {
   public:
    // The style the box must have (buttons, icon and default button, as passed).
    Expectation& withStyle(int style);
    // The title the box must show (the program's title when none is passed).
    Expectation& withTitle(const QString& title);
    // The default text an input box must offer.
    Expectation& withDefaultText(const QString& text);

   private:
    friend class ScriptedDialogs;
    ShownBox::Kind kind = ShownBox::Kind::MsgBox;
    QString prompt;
    MsgBoxResult button = vbOK;
    QString text;
    std::optional<int> style;
    std::optional<QString> title;
    std::optional<QString> defaultText;
  };

  ScriptedDialogs() = default;
  ~ScriptedDialogs() override;

  // The next box is a message box showing `prompt`; it answers `answer`.
  Expectation& expectMsgBox(const QString& prompt, MsgBoxResult answer);
  // The next box is an input box asking `prompt`; it answers `answer` (the
  // empty text stands for Cancel).
  Expectation& expectInputBox(const QString& prompt, const QString& answer);

  // Every box shown, expected or not, in order.
  const std::vector<ShownBox>& shown() const { return shown_; }
  // The prompts of the boxes shown, in order.
  std::vector<QString> shownPrompts() const;
  // How many expected boxes have not been shown yet.
  std::size_t pending() const { return expected_.size(); }
  bool allShown() const { return expected_.empty(); }
  // Fails the test for each expected box not shown, then forgets them.
  void verifyAllShown();

  MsgBoxResult MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = {}) override;
  QString InputBox(const QString& prompt, const QString& title = {}, const QString& defaultText = {}) override;

 private:
  // The next expectation when it is for a box of `kind` with `prompt`; else
  // the test fails and nothing is consumed.
  std::optional<Expectation> take(const ShownBox& box);

  std::deque<Expectation> expected_;
  std::vector<ShownBox> shown_;
};

using ScopedDialogs = ScopedInstall<DialogService, ScriptedDialogs, &dialogs, &setDialogService>;

}  // namespace platform
