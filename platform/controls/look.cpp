#include "look.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyleFactory>

#include "colors.h"
#include "form.h"
#include "shape.h"

namespace controls {

void applyLook(QApplication& app) {
  if (QStyle* style = QStyleFactory::create("Fusion")) app.setStyle(style);

  const QColor face = toQColor(kDialogGrey);
  const QColor text(0x20, 0x20, 0x20);
  QPalette palette;
  palette.setColor(QPalette::Window, face);
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::AlternateBase, face.lighter(105));
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::Button, face);
  palette.setColor(QPalette::ButtonText, text);
  palette.setColor(QPalette::Highlight, QColor(0x33, 0x66, 0xaa));
  palette.setColor(QPalette::HighlightedText, Qt::white);
  palette.setColor(QPalette::ToolTipBase, QColor(0xff, 0xff, 0xe1));
  palette.setColor(QPalette::ToolTipText, Qt::black);
  palette.setColor(QPalette::Light, face.lighter(130));
  palette.setColor(QPalette::Dark, face.darker(160));
  palette.setColor(QPalette::Shadow, face.darker(250));
  palette.setColor(QPalette::PlaceholderText, QColor(0x80, 0x80, 0x80));
  palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x90, 0x90, 0x90));
  palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x90, 0x90, 0x90));
  palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x90, 0x90, 0x90));
  app.setPalette(palette);

  QFont font("DejaVu Sans");
  font.setPointSizeF(8.25);
  app.setFont(font);
}

void designFramedPanel(Form& window, Shape& frame, double width, double height) {
  constexpr double kInset = 45;
  window.setBorderStyle(0);
  window.setWidth(width);
  window.setHeight(height);
  window.setBackColor(kDialogGrey);
  frame.Move(kInset, kInset, width - 2 * kInset, height - 2 * kInset);
  frame.setBorderColor(0x6B4A2D);
  frame.setBorderWidth(2);
}

}  // namespace controls
