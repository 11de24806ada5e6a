#include "colors.h"

#include <QApplication>
#include <QPalette>

namespace controls {

OleColor RGB(int red, int green, int blue) {
  return static_cast<OleColor>(red & 0xFF) | static_cast<OleColor>(green & 0xFF) << 8 |
         static_cast<OleColor>(blue & 0xFF) << 16;
}

namespace {

QColor systemColor(OleColor index) {
  const QPalette palette = QApplication::palette();
  switch (index) {
    case 0x05: return palette.color(QPalette::Base);        // window background
    case 0x06: return palette.color(QPalette::Shadow);      // window frame
    case 0x07: return palette.color(QPalette::Text);        // menu text
    case 0x08: return palette.color(QPalette::Text);        // window text
    case 0x0D: return palette.color(QPalette::Highlight);
    case 0x0E: return palette.color(QPalette::HighlightedText);
    case 0x10: return palette.color(QPalette::Dark);        // button shadow
    case 0x11: return palette.color(QPalette::PlaceholderText);  // grey text
    case 0x12: return palette.color(QPalette::ButtonText);
    case 0x14: return palette.color(QPalette::Light);       // button highlight
    case 0x17: return palette.color(QPalette::ToolTipText);
    case 0x18: return palette.color(QPalette::ToolTipBase);
    default: return palette.color(QPalette::Button);        // 0x0F button face and the rest
  }
}

}  // namespace

QColor toQColor(OleColor color) {
  if (color & 0x80000000u) return systemColor(color & 0xFFu);
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>(color >> 8 & 0xFF),
                static_cast<int>(color >> 16 & 0xFF));
}

OleColor fromQColor(const QColor& color) { return RGB(color.red(), color.green(), color.blue()); }

}  // namespace controls
