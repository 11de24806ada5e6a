// Draws the main window after its start-up, one picture a tab, and the
// splash, into the build folder (form5_tab0.png ..., form5_pressed.png,
// frmMessage.png), so
// that anyone can look at the window without a display.
#include <gtest/gtest.h>

#include <QImage>

#include "form5_test_support.h"
#include "render.h"

namespace authoring_test {
namespace {

TEST(RenderForm5, EveryTabAndTheSplashArePainted) {
  Fakes fakes;
  fakes.folder.writeProjectList({{"Rock", "/music/Rock"}});
  fakes.fetcher->alwaysReply("29127");
  std::filesystem::create_directory(fakes.folder.handle());  // not a first start
  Form5 form;
  form.Load();
  form.lblFolderSize.setCaption("12,345 KB");
  const QString dir = QStringLiteral(AUTHORING_RENDER_DIR);
  for (int tab = 0; tab < 3; ++tab) {
    form.SSTab1.setTab(tab);
    const QString path = dir + QStringLiteral("/form5_tab%1.png").arg(tab);
    ASSERT_TRUE(controls::renderToPng(form, path));
    const QImage image(path);
    EXPECT_EQ(image.size(), QSize(592, 450));
    // The frame is painted: the top bar is the backdrop's deep blue, not the
    // grey of an unpainted window.
    EXPECT_LT(QColor(image.pixel(300, 10)).lightness(), 80);
  }
  // The pressed looks beneath the picture buttons, with the album tab's
  // commands usable.
  form.SSTab1.setTab(1);
  for (controls::Control* c : std::initializer_list<controls::Control*>{
           &form.Command2, &form.Command6, &form.Command24, &form.Command22, &form.Command19, &form.Command20,
           &form.Command7, &form.Command8, &form.Command11, &form.Command13, &form.Command14, &form.Command15,
           &form.imgPreview2, &form.Command27, &form.cmdPreview, &form.Command5})
    c->setEnabled(true);
  for (controls::Image* button : {&form.ImgBtnUpLeft, &form.Image13, &form.Image14, &form.Image15})
    button->setVisible(false);
  ASSERT_TRUE(controls::renderToPng(form, dir + QStringLiteral("/form5_pressed.png")));

  frmMessage& splash = form.messageWindow();
  splash.showText(splashText());
  ASSERT_TRUE(controls::renderToPng(splash, dir + QStringLiteral("/frmMessage.png")));
}

}  // namespace
}  // namespace authoring_test
