// Draws tab 2 with the three project pictures and a disc icon chosen, into
// the build folder (form5_tab2_pictures.png), to look at without a display.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "open_project_fixture.h"
#include "render.h"
#include "twips.h"

namespace authoring_test {
namespace {

void drawPicture(const std::filesystem::path& path, QColor color, const char* format, int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(color);
  QPainter painter(&image);
  painter.setPen(QPen(Qt::white, size / 10.0));
  painter.drawEllipse(QRectF(size * 0.2, size * 0.2, size * 0.6, size * 0.6));
  painter.end();
  ASSERT_TRUE(image.save(QString::fromStdString(path.string()), format));
}

class RenderPictures : public OpenProjectTest {};

TEST_F(RenderPictures, TabTwoShowsThePicturesAndTheIcon) {
  openProject("Alpha");
  drawPicture(pictures / "title.jpg", QColor(200, 60, 60), "JPG", 120);
  drawPicture(pictures / "bottom.bmp", QColor(60, 160, 80), "BMP", 120);
  drawPicture(pictures / "intro.jpg", QColor(230, 170, 40), "JPG", 120);
  drawPicture(pictures / "disc.ico", QColor(60, 90, 200), "ICO", 32);
  const std::pair<controls::Control*, const char*> choices[] = {
      {&form.Image2, "title.jpg"}, {&form.Image3, "bottom.bmp"}, {&form.Image4, "intro.jpg"}, {&form.Picture1, "disc.ico"}};
  for (const auto& [control, file] : choices) {
    pickerAnswers(pictures, file);
    ASSERT_TRUE(control->click());
  }
  for (controls::Image* box : {&form.Image2, &form.Image3, &form.Image4}) EXPECT_FALSE(box->Picture().isEmpty());
  EXPECT_FALSE(form.Picture1.Picture().isEmpty());

  const QString path = QStringLiteral(AUTHORING_RENDER_DIR) + QStringLiteral("/form5_tab2_pictures.png");
  ASSERT_TRUE(controls::renderToPng(form, path));
  const QImage image(path);
  // The middle of the title picture's box shows the title picture's red.
  const QPoint title(static_cast<int>(controls::twipsToPixels(3135 + 540)),
                     static_cast<int>(controls::twipsToPixels(1080 + 487)));
  const QWidget* page = form.SSTab1.page(2).containerWidget();
  const QColor shown(image.pixel(page->mapTo(form.widget(), title)));
  EXPECT_GT(shown.red(), 150);
  EXPECT_LT(shown.green(), 120);
}

}  // namespace
}  // namespace authoring_test
