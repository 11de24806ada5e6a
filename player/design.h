#pragma once
// What the player's windows set on a control when they lay it out.

#include <QPlainTextEdit>
#include <QString>
#include <QTextDocument>

#include "command_button.h"
#include "image.h"
#include "label.h"
#include "text_box.h"

namespace player {

// The light grey of the small texts beside what is shown in white.
inline constexpr controls::OleColor kCaptionColour = 0xE0E0E0;

// A transparent label at its place, in its size and colour.
inline void designLabel(controls::Label& label, double left, double top, double width, double height,
                        double points, controls::OleColor colour, bool bold = false) {
  label.Move(left, top, width, height);
  label.setBackStyle(0);
  label.setFontSize(points);
  label.setFontBold(bold);
  label.setForeColor(colour);
}

// A hidden image that holds one look of a button.
inline void designLook(controls::Image& image, const controls::Picture& picture) {
  image.setPicture(picture);
  image.setVisible(false);
}

}  // namespace player

namespace player {

// The player's look for the widgets that draw themselves (sliders, scroll
// bars, the lyrics box, the backdrops), in the style of the player's own
// pictures: white and translucent over the interface colour.
namespace sheets {

// A horizontal slider: a thin track, a round white thumb, the arrows as
// small marks at the ends.
inline constexpr const char* kSlider =
    "QScrollBar:horizontal { background: transparent; border: none; height: 17px; margin: 0 14px; }"
    "QScrollBar::handle:horizontal { background: white; border-radius: 6px; min-width: 13px; margin: 2px 0; }"
    "QScrollBar::handle:horizontal:pressed { background: #ffe9a8; }"
    "QScrollBar::add-page:horizontal, QScrollBar::sub-page:horizontal"
    "  { background: rgba(255,255,255,55); margin: 7px 0; border-radius: 1px; }"
    "QScrollBar::add-line:horizontal { subcontrol-origin: margin; subcontrol-position: right; width: 14px;"
    "  background: transparent; }"
    "QScrollBar::sub-line:horizontal { subcontrol-origin: margin; subcontrol-position: left; width: 14px;"
    "  background: transparent; }"
    "QScrollBar::left-arrow:horizontal, QScrollBar::right-arrow:horizontal"
    "  { width: 5px; height: 5px; border-radius: 2px; background: rgba(255,255,255,150); }"
    "QScrollBar::left-arrow:horizontal:pressed, QScrollBar::right-arrow:horizontal:pressed { background: white; }";

// A vertical scroll bar inside a box, and the box without a frame of its own.
inline constexpr const char* kScrollingBox =
    "QPlainTextEdit, QListWidget { border: none; }"
    "QScrollBar:vertical { background: transparent; border: none; width: 10px; margin: 2px 0; }"
    "QScrollBar::handle:vertical { background: rgba(255,255,255,80); border-radius: 4px; min-height: 24px;"
    "  margin: 0 2px; }"
    "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: transparent; }"
    "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; border: none; }";

// A button that only lies behind a box, as its frame.
inline constexpr const char* kBackdrop =
    "QPushButton { border: 1px solid rgba(255,255,255,50); border-radius: 4px; background: %1; }";

}  // namespace sheets

}  // namespace player

namespace player {

// A graphical button that lies behind a box as its frame.
inline void designBackdrop(controls::CommandButton& button) {
  constexpr controls::OleColor kBackdropColour = 0x302820;
  button.setStyle(1);
  button.setBackColor(kBackdropColour);
  button.widget()->setStyleSheet(
      QString::fromLatin1(sheets::kBackdrop).arg(controls::toQColor(kBackdropColour).name()));
}

}  // namespace player

namespace player {

// A box of text to read: several lines, a vertical scroll bar, white words
// on the interface colour kept off the box's edges, no frame of its own.
inline void designReadingBox(controls::TextBox& box) {
  box.setMultiLine(true);
  box.setScrollBars(2);
  box.setBorderStyle(0);
  box.setForeColor(controls::vbWhite);
  box.setFontSize(10);
  box.widget()->setStyleSheet(sheets::kScrollingBox);
  if (auto* edit = qobject_cast<QPlainTextEdit*>(box.widget())) edit->document()->setDocumentMargin(6);
}

}  // namespace player
