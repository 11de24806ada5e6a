#include "frm_message.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "look.h"
#include "twips.h"

namespace {

constexpr double kWidth = 4380, kHeight = 1350;
constexpr double kTextLeft = 480, kTextTop = 360, kTextWidth = 3375, kTextHeight = 615;

}  // namespace

frmMessage::frmMessage() : Form("frmMessage") {
  controls::designFramedPanel(*this, Shape1, kWidth, kHeight);
  Label1.Move(kTextLeft, kTextTop, kTextWidth, kTextHeight);
  Label1.setAlignment(2);
  Label1.setBackStyle(0);
  Label1.setForeColor(0x3A2A1C);

  MouseDown = [this](int, int, double, double) { closeIfAllowed(); };
  Label1.Click = [this] { closeIfAllowed(); };
}

void frmMessage::closeIfAllowed() {
  if (closeOnClick) Unload();
}

void frmMessage::Form_QueryUnload(int& cancel, int unloadMode) {
  if (unloadMode == controls::vbFormControlMenu && !closeOnClick) cancel = 1;
}

void frmMessage::showText(const QString& text) {
  Label1.setCaption(text);
  const QFontMetrics metrics(Label1.widget()->font());
  const QRect needed = metrics.boundingRect(QRect(0, 0, controls::twipsToPixels(kTextWidth), 10000),
                                            Qt::AlignHCenter | Qt::TextWordWrap, text);
  const double textHeight = std::max(kTextHeight, controls::pixelsToTwips(needed.height() + 2));
  const double height = kHeight + (textHeight - kTextHeight);
  Label1.setHeight(textHeight);
  setHeight(height);
  Shape1.setHeight(height - 90);
}
