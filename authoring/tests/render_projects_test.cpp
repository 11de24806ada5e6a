// Draws an open project's picker (tab 0, open mode), its details (tab 2) and
// the text editor into the build folder (form5_projects_tab0.png,
// form5_projects_tab2.png, frmEditTxt.png), to look at without a display.
#include <gtest/gtest.h>

#include <QImage>

#include "frm_edit_txt.h"
#include "projects_fixture.h"
#include "render.h"
#include "twips.h"

namespace authoring_test {
namespace {

TEST_F(ProjectsTest, RenderAnOpenProjectsPickerAndDetails) {
  create("Alpha");
  create("Beta");
  onTab(2);
  fakes.dialogs->expectInputBox("Set Sub title", "Live at the Hall, 1999");
  ASSERT_TRUE(form.lblProjectSubTitle.click());
  fakes.dialogs->expectInputBox("Enter CD Label:", "BETA DISC");
  ASSERT_TRUE(form.lblCdLabl.click());
  fakes.modals.expect<frmEditTxt>([](frmEditTxt& editor) {
    editor.Text1.setText("Recorded live.\r\nMixed at home.");
    EXPECT_TRUE(editor.Command1.click());
  });
  ASSERT_TRUE(form.Label13.click());
  form.Label19_MouseMove(1, 0, 900, 0);
  ASSERT_TRUE(form.Label17.click());
  form.Label19_MouseMove(1, 0, 400, 0);
  fakes.dialogs->expectInputBox("Type in the password", "Secret");
  ASSERT_TRUE(form.Check1.click());

  const QString dir = QStringLiteral(AUTHORING_RENDER_DIR);
  const QString details = dir + QStringLiteral("/form5_projects_tab2.png");
  ASSERT_TRUE(controls::renderToPng(form, details));
  // The strip shows the colour that was set.
  const QImage image(details);
  const QColor strip(
      image.pixel(controls::twipsToPixels(120 + 4560 + 1300), controls::twipsToPixels(1155 + 3150 + 100) + 20));
  EXPECT_GT(strip.red() + strip.green(), 0);

  onTab(0);
  ASSERT_TRUE(form.Option2.click());
  ASSERT_TRUE(form.listProjects.select(0));
  ASSERT_TRUE(controls::renderToPng(form, dir + QStringLiteral("/form5_projects_tab0.png")));

  frmEditTxt editor;
  editor.Load();
  editor.setCaption("Edit Info.");
  editor.Text1.setText("Recorded live.\r\nMixed at home.");
  ASSERT_TRUE(controls::renderToPng(editor, dir + QStringLiteral("/frmEditTxt.png")));
  editor.Unload();
}

}  // namespace
}  // namespace authoring_test
