#include "hscroll_bar.h"

#include <QScrollBar>
#include <algorithm>

namespace controls {

HScrollBar::HScrollBar(Container& parent, QString name)
    : Control(parent, std::move(name), new QScrollBar(Qt::Horizontal), Layer::Windowed) {
  QScrollBar* b = bar();
  QObject::connect(b, &QScrollBar::valueChanged, b, [this](int v) { qtValueChanged(v); });
  QObject::connect(b, &QScrollBar::sliderPressed, b, [this] { valueAtPress_ = value_; });
  QObject::connect(b, &QScrollBar::sliderReleased, b, [this] {
    if (value_ != valueAtPress_) raise(Change);
  });
  // The thumb keeps one size whatever the range, as these bars always had;
  // Qt would size it by the page step, so the track's step is ours.
  QObject::connect(b, &QAbstractSlider::actionTriggered, b, [this](int action) {
    QScrollBar* bar = this->bar();
    if (action == QAbstractSlider::SliderPageStepAdd)
      bar->setSliderPosition(std::min(bar->sliderPosition() + largeChange_, high()));
    else if (action == QAbstractSlider::SliderPageStepSub)
      bar->setSliderPosition(std::max(bar->sliderPosition() - largeChange_, low()));
  });
  applyRange();
  Move(0, 0, 1215, 255);
}

QScrollBar* HScrollBar::bar() const { return static_cast<QScrollBar*>(widget()); }

void HScrollBar::applyRange() {
  quiet_ = true;
  QScrollBar* b = bar();
  // An empty range would give the thumb the whole track.
  b->setRange(low(), std::max(high(), low() + 1));
  b->setInvertedAppearance(min_ > max_);
  b->setInvertedControls(min_ > max_);
  b->setSingleStep(smallChange_);
  b->setPageStep(0);
  b->setValue(value_);
  quiet_ = false;
}

void HScrollBar::setMin(int min) {
  min_ = min;
  const int clamped = std::clamp(value_, low(), high());
  const bool changed = clamped != value_;
  value_ = clamped;
  applyRange();
  if (changed) raise(Change);
}

void HScrollBar::setMax(int max) {
  max_ = max;
  const int clamped = std::clamp(value_, low(), high());
  const bool changed = clamped != value_;
  value_ = clamped;
  applyRange();
  if (changed) raise(Change);
}

void HScrollBar::setValue(int value) {
  if (!inRange(value) || value == value_) return;
  value_ = value;
  quiet_ = true;
  bar()->setValue(value);
  quiet_ = false;
  raise(Change);
}

void HScrollBar::setSmallChange(int change) {
  smallChange_ = change;
  applyRange();
}

void HScrollBar::setLargeChange(int change) {
  largeChange_ = change;
  applyRange();
}

void HScrollBar::qtValueChanged(int qtValue) {
  if (quiet_ || qtValue == value_) return;
  if (!inRange(qtValue)) {  // the step that only keeps an empty range's thumb small
    quiet_ = true;
    bar()->setValue(value_);
    quiet_ = false;
    return;
  }
  value_ = qtValue;
  raise(bar()->isSliderDown() ? Scroll : Change);
}

bool HScrollBar::dragThumbTo(int value) {
  if (!acceptsUserInput()) return false;
  QScrollBar* b = bar();
  b->setSliderDown(true);
  b->setSliderPosition(std::clamp(value, low(), high()));
  b->setSliderDown(false);
  return true;
}

bool HScrollBar::clickArrow(int direction) {
  if (!acceptsUserInput()) return false;
  const bool towardsMax = (direction > 0) != (min_ > max_);
  bar()->triggerAction(towardsMax ? QAbstractSlider::SliderSingleStepAdd : QAbstractSlider::SliderSingleStepSub);
  return true;
}

bool HScrollBar::clickTrack(int direction) {
  if (!acceptsUserInput()) return false;
  const bool towardsMax = (direction > 0) != (min_ > max_);
  bar()->triggerAction(towardsMax ? QAbstractSlider::SliderPageStepAdd : QAbstractSlider::SliderPageStepSub);
  return true;
}

}  // namespace controls
