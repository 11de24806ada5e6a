// Names and texts of a project that hold "&", as the user sees them on the
// details tab and in the ripper's progress window: they show as they stand,
// while the tab heading, a fixed caption, still takes its access-key mark out.
#include <gtest/gtest.h>

#include <QLabel>

#include "frm_edit_txt.h"
#include "frm_progress.h"
#include "projects_fixture.h"
#include "window_input.h"

namespace authoring_test {
namespace {

// What the label shows on the screen.
QString shown(const controls::Label& label) { return qobject_cast<QLabel*>(label.widget())->text(); }

class NameLabels : public ProjectsTest {
 protected:
  // The next-tab button, pressed until tab `tab` shows.
  void pageTo(int tab) {
    controls::WindowInput user(form);
    while (form.SSTab1.Tab() != tab) {
      ASSERT_TRUE(user.pressOn(form.Image13));
      ASSERT_TRUE(user.releaseOn(form.Image13));
    }
  }
  void click(controls::Label& label) { ASSERT_TRUE(controls::WindowInput(form).clickOn(label)); }
};

TEST_F(NameLabels, AProjectNameShowsAsItStandsWhereverItsAmpersandLies) {
  for (const char* name : {"Rock&Roll", "&Start", "End&", "A&&B", "&&", "R&&&B"}) {
    SCOPED_TRACE(name);
    create(name);
    pageTo(2);
    const QString expected = QString::fromUtf8(name);
    EXPECT_EQ(shown(form.lblProjectName), expected);
    EXPECT_EQ(shown(form.lblCdLabl), expected);
    EXPECT_EQ(shown(form.lblProjectTitle), expected);
    EXPECT_EQ(form.lblProjectName.Caption(), expected);
  }
}

TEST_F(NameLabels, TheProjectsTextsShowAsTheyStandAfterEditingAndAfterOpening) {
  create("Rock&Roll");
  pageTo(2);
  // The heading over the tabs is a fixed caption: its mark is taken out.
  EXPECT_EQ(form.Label4.Caption(), "&Details / Interface");
  EXPECT_EQ(shown(form.Label4), "Details / Interface");

  fakes.dialogs->expectInputBox("Set Title", "Brin & Halvey &&");
  click(form.lblProjectTitle);
  fakes.dialogs->expectInputBox("Set Sub title", "& Live &");
  click(form.lblProjectSubTitle);
  fakes.modals.expect<frmEditTxt>([](frmEditTxt& editor) {
    editor.Text1.setText("Made by Brin & Halvey.\r\nR&&B");
    EXPECT_TRUE(editor.Command1.click());
  });
  click(form.Label13);
  fakes.dialogs->expectInputBox("Enter CD Label:", "Rock & Roll");
  click(form.lblCdLabl);
  ASSERT_TRUE(fakes.dialogs->allShown());

  const auto expectShown = [&] {
    EXPECT_EQ(shown(form.lblProjectName), "Rock&Roll");
    EXPECT_EQ(shown(form.lblProjectTitle), "Brin & Halvey &&");
    EXPECT_EQ(shown(form.lblProjectSubTitle), "& Live &");
    EXPECT_EQ(shown(form.Label13), "Made by Brin & Halvey.\r\nR&&B");
    EXPECT_EQ(shown(form.lblCdLabl), "Rock & Roll");
  };
  expectShown();
  const store::ProjectData data = dataOf(projectAt("Rock&Roll"));
  EXPECT_EQ(data.projectTitle, "Brin & Halvey &&");
  EXPECT_EQ(data.infoText, "Made by Brin & Halvey.\r\nR&&B");

  // Another project, then this one opened again: the texts come from its files.
  create("Other");
  open("Rock&Roll");
  pageTo(2);
  expectShown();
}

// The ripper's status line names the file it writes: the project's folder,
// the album's and the song's names.
TEST(ProgressWindowStatus, TheFileBeingWrittenShowsAsItStands) {
  frmProgress progress;
  const QString status = QStringLiteral("Extracting track /music/Rock&Roll/01 - Rock & Roll/03 - R&&B.mp3");
  progress.ChangeProgress(status, 10, 100);
  EXPECT_EQ(shown(progress.lblStatus), status);
  EXPECT_EQ(progress.lblStatus.Caption(), status);
}

}  // namespace
}  // namespace authoring_test
