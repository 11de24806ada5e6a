#include "dialogs/scripted_dialogs.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace platform {
namespace {

class ScriptedDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override { setProgramTitle(QStringLiteral("Quendrel")); }
  void TearDown() override { setProgramTitle({}); }
};

TEST_F(ScriptedDialogsTest, AnswersExpectedBoxesInOrderAndRecordsThem) {
  ScopedDialogs script;
  script->expectMsgBox("Detele this project?", vbYes).withStyle(vbYesNo).withTitle("Quendrel");
  script->expectInputBox("Album name:", "Rock").withTitle("New album").withDefaultText("Album");
  script->expectMsgBox("Illegal name.", vbOK).withTitle("Error");

  EXPECT_EQ(dialogs().MsgBox("Detele this project?", vbYesNo), vbYes);
  EXPECT_EQ(dialogs().InputBox("Album name:", "New album", "Album"), "Rock");
  EXPECT_EQ(dialogs().MsgBox("Illegal name.", vbOKOnly | vbCritical, "Error"), vbOK);
  EXPECT_TRUE(script->allShown());

  ASSERT_EQ(script->shown().size(), 3u);
  const ShownBox& first = script->shown()[0];
  EXPECT_EQ(first.kind, ShownBox::Kind::MsgBox);
  EXPECT_EQ(first.style, vbYesNo);
  EXPECT_EQ(first.title, "");
  EXPECT_EQ(first.shownTitle, "Quendrel");
  const ShownBox& second = script->shown()[1];
  EXPECT_EQ(second.kind, ShownBox::Kind::InputBox);
  EXPECT_EQ(second.shownTitle, "New album");
  EXPECT_EQ(second.defaultText, "Album");
  EXPECT_EQ(script->shown()[2].style, vbOKOnly | vbCritical);
  EXPECT_EQ(script->shownPrompts(), (std::vector<QString>{"Detele this project?", "Album name:", "Illegal name."}));
}

TEST_F(ScriptedDialogsTest, AnInputBoxAnsweredEmptyStandsForCancel) {
  ScopedDialogs script;
  script->expectInputBox("Album name:", "");
  EXPECT_EQ(dialogs().InputBox("Album name:"), "");
}

TEST_F(ScriptedDialogsTest, UnexpectedBoxesFailAndAreAnsweredHarmlessly) {
  ScriptedDialogs script;
  MsgBoxResult answer = vbYes;
  EXPECT_NONFATAL_FAILURE(answer = script.MsgBox("Delete This MP3 file?", vbYesNo), "Unexpected message box \"Delete This MP3 file?\"");
  EXPECT_EQ(answer, vbNo);
  EXPECT_NONFATAL_FAILURE(answer = script.MsgBox("Go on?", vbOKCancel), "expected no more boxes");
  EXPECT_EQ(answer, vbCancel);
  QString text = "x";
  EXPECT_NONFATAL_FAILURE(text = script.InputBox("Name:", {}, "default"), "Unexpected input box \"Name:\"");
  EXPECT_EQ(text, "");
  EXPECT_EQ(script.shown().size(), 3u);
}

TEST_F(ScriptedDialogsTest, ABoxOutOfOrderFailsAndLeavesTheScriptAsItWas) {
  ScriptedDialogs script;
  script.expectMsgBox("First", vbOK);
  EXPECT_NONFATAL_FAILURE(script.MsgBox("Second"), "expected message box \"First\" next");
  EXPECT_EQ(script.pending(), 1u);
  EXPECT_EQ(script.MsgBox("First"), vbOK);
  EXPECT_TRUE(script.allShown());
}

TEST_F(ScriptedDialogsTest, AMessageBoxWhereAnInputBoxWasExpectedFails) {
  ScriptedDialogs script;
  script.expectInputBox("Name:", "x");
  EXPECT_NONFATAL_FAILURE(script.MsgBox("Name:"), "expected input box \"Name:\" next");
  EXPECT_EQ(script.InputBox("Name:"), "x");
}

TEST_F(ScriptedDialogsTest, WrongStyleTitleOrDefaultTextFails) {
  ScriptedDialogs script;
  script.expectMsgBox("Sure?", vbYes).withStyle(vbYesNo | vbQuestion);
  script.expectMsgBox("Done.", vbOK).withTitle("Quendrel.");
  script.expectInputBox("Label:", "CD").withDefaultText("old");
  EXPECT_NONFATAL_FAILURE(script.MsgBox("Sure?", vbYesNo), "style 36 expected, 4 shown");
  EXPECT_NONFATAL_FAILURE(script.MsgBox("Done."), "title \"Quendrel.\" expected, \"Quendrel\" shown");
  EXPECT_NONFATAL_FAILURE(script.InputBox("Label:", {}, "new"), "default text \"old\" expected");
  EXPECT_TRUE(script.allShown());
}

TEST_F(ScriptedDialogsTest, AnAnswerThatIsNotAButtonOfTheBoxFails) {
  ScriptedDialogs script;
  script.expectMsgBox("A new version is available.", vbYes);
  MsgBoxResult answer = vbYes;
  EXPECT_NONFATAL_FAILURE(answer = script.MsgBox("A new version is available."), "is not one of its buttons");
  EXPECT_EQ(answer, vbOK);
}

TEST_F(ScriptedDialogsTest, LeftoverExpectationsFailAtTheEnd) {
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedDialogs script;
        script.expectMsgBox("Never shown", vbOK);
      },
      "Expected message box \"Never shown\" was never shown");
  ScriptedDialogs script;
  script.expectInputBox("Also never", "x");
  EXPECT_NONFATAL_FAILURE(script.verifyAllShown(), "Expected input box \"Also never\" was never shown");
  EXPECT_TRUE(script.allShown());
}

TEST_F(ScriptedDialogsTest, TheScopeRestoresTheServiceBefore) {
  DialogService* before = &dialogs();
  {
    ScopedDialogs outer;
    EXPECT_EQ(&dialogs(), &outer.get());
    {
      ScopedDialogs inner;
      EXPECT_EQ(&dialogs(), &inner.get());
    }
    EXPECT_EQ(&dialogs(), &outer.get());
  }
  EXPECT_EQ(&dialogs(), before);
}

}  // namespace
}  // namespace platform
