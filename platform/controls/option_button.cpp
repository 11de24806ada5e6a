#include "option_button.h"

#include <QRadioButton>

namespace controls {

namespace {

// Groups are kept by container, not by Qt; a click never clears a chosen one.
class OptionWidget : public QRadioButton {
 public:
  OptionWidget() { setAutoExclusive(false); }

 protected:
  void nextCheckState() override {}
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

}  // namespace

OptionButton::OptionButton(Container& parent, QString name)
    : Control(parent, std::move(name), new OptionWidget, Layer::Windowed) {
  auto* radio = static_cast<QRadioButton*>(widget());
  QObject::connect(radio, &QRadioButton::clicked, radio, [this] { userClicked(); });
  Move(0, 0, 1215, 255);
}

void OptionButton::setCaption(const QString& caption) {
  caption_ = caption;
  static_cast<QRadioButton*>(widget())->setText(caption);
}

void OptionButton::show(bool value) {
  value_ = value;
  static_cast<QRadioButton*>(widget())->setChecked(value);
}

void OptionButton::setValue(bool value) {
  if (!value) {
    show(false);
    return;
  }
  if (value_) return;
  for (Control* sibling : parent().controls())
    if (auto* option = dynamic_cast<OptionButton*>(sibling); option && option != this) option->show(false);
  show(true);
  raise(Click);
}

void OptionButton::userClicked() {
  if (value_)
    raise(Click);
  else
    setValue(true);
}

}  // namespace controls
