#include "dialogs/dialog_service.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "dialogs/scripted_dialogs.h"

namespace platform {
namespace {

TEST(DialogService, TheQtServiceIsInstalledByDefault) {
  EXPECT_NE(dynamic_cast<QtDialogService*>(&dialogs()), nullptr);
  ScriptedDialogs script;
  setDialogService(&script);
  EXPECT_EQ(&dialogs(), &script);
  setDialogService(nullptr);
  EXPECT_NE(dynamic_cast<QtDialogService*>(&dialogs()), nullptr);
}

TEST(DialogService, ProgramTitleDefaultsToTheApplicationName) {
  const QString saved = QCoreApplication::applicationName();
  QCoreApplication::setApplicationName(QStringLiteral("Setup"));
  EXPECT_EQ(programTitle(), "Setup");
  setProgramTitle(QStringLiteral("Quendrel"));
  EXPECT_EQ(programTitle(), "Quendrel");
  EXPECT_EQ(effectiveTitle({}), "Quendrel");
  EXPECT_EQ(effectiveTitle(QStringLiteral("Error")), "Error");
  setProgramTitle({});
  EXPECT_EQ(programTitle(), "Setup");
  QCoreApplication::setApplicationName(saved);
}

TEST(DialogService, CloseAnswerIsTheHarmlessButton) {
  EXPECT_EQ(closeAnswer(vbOKOnly | vbCritical), vbOK);
  EXPECT_EQ(closeAnswer(vbOKCancel | vbQuestion), vbCancel);
  EXPECT_EQ(closeAnswer(vbYesNo | vbExclamation), vbNo);
  EXPECT_EQ(closeAnswer(vbYesNoCancel), vbCancel);
}

TEST(DialogService, ButtonsOfAStyle) {
  EXPECT_TRUE(isButtonOf(vbOKOnly | vbInformation, vbOK));
  EXPECT_FALSE(isButtonOf(vbOKOnly, vbCancel));
  EXPECT_TRUE(isButtonOf(vbOKCancel, vbCancel));
  EXPECT_FALSE(isButtonOf(vbOKCancel, vbYes));
  EXPECT_TRUE(isButtonOf(vbYesNo | vbQuestion, vbYes));
  EXPECT_TRUE(isButtonOf(vbYesNo | vbQuestion | vbDefaultButton2, vbNo));
  EXPECT_FALSE(isButtonOf(vbYesNo, vbOK));
}

}  // namespace
}  // namespace platform
