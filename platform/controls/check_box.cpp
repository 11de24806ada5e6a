#include "check_box.h"

#include <QCheckBox>

#include "store_error.h"

namespace controls {

namespace {

// The whole control answers a click, caption and margin included.
class CheckWidget : public QCheckBox {
 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

}  // namespace

CheckBox::CheckBox(Container& parent, QString name)
    : Control(parent, std::move(name), new CheckWidget, Layer::Windowed) {
  QObject::connect(box(), &QCheckBox::clicked, box(), [this] { userToggled(); });
  Move(0, 0, 1215, 255);
}

QCheckBox* CheckBox::box() const { return static_cast<QCheckBox*>(widget()); }

void CheckBox::setCaption(const QString& caption) {
  caption_ = caption;
  box()->setText(caption);
}

void CheckBox::setValue(int value) {
  if (value < 0 || value > 2) throw store::StoreError("Invalid property value");
  const bool changed = value != value_;
  value_ = value;
  box()->setTristate(value == vbGrayed);
  box()->setCheckState(value == vbChecked ? Qt::Checked : value == vbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
  if (changed) raise(Click);
}

void CheckBox::userToggled() {
  // A click checks an unchecked or greyed box and clears a checked one.
  setValue(value_ == vbChecked ? vbUnchecked : vbChecked);
}

}  // namespace controls
