#include "dialogs/real_boxes.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTest>
#include <QWindow>

namespace platform {
namespace {

constexpr int kLookEveryMs = 5;
// Presses before a box that stays up counts as stuck (about half a second).
constexpr int kPressesBeforeStuck = 100;

QDialog* boxUp() {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal || !modal->isVisible()) return nullptr;
  if (!qobject_cast<QMessageBox*>(modal) && !qobject_cast<QInputDialog*>(modal)) return nullptr;
  return static_cast<QDialog*>(modal);
}

}  // namespace

RealBoxes::RealBoxes() : previous_(&dialogs()) {
  setDialogService(&qt_);
  timer_.setInterval(kLookEveryMs);
  QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
  timer_.start();
}

RealBoxes::~RealBoxes() {
  timer_.stop();
  setDialogService(previous_);
  for (int key : keys_) ADD_FAILURE() << "no box came up for key " << key;
}

void RealBoxes::pressOnNextBox(int key) { keys_.push_back(key); }

void RealBoxes::look() {
  QDialog* box = boxUp();
  if (!box) return;
  if (box != current_) {
    current_ = box;
    presses_ = 0;
    Box seen;
    seen.title = box->windowTitle();
    if (auto* message = qobject_cast<QMessageBox*>(box)) seen.text = message->text();
    if (auto* input = qobject_cast<QInputDialog*>(box)) seen.text = input->labelText();
    seen.owner = box->windowHandle() ? box->windowHandle()->transientParent() : nullptr;
    if (seen.owner) seen.ownerTitle = seen.owner->title();
    seen.childWidget = box->parentWidget() != nullptr;
    shown_.push_back(seen);
    const std::size_t index = shown_.size() - 1;
    QObject::connect(box, &QDialog::finished, &timer_, [this, index] { shown_[index].closedByKey = !forcing_; });
    if (keys_.empty()) {
      ADD_FAILURE() << "unexpected box: " << seen.text.toStdString();
      forcing_ = true;
      box->reject();
      forcing_ = false;
      return;
    }
  }
  if (presses_ >= kPressesBeforeStuck) {
    ADD_FAILURE() << "the box \"" << shown_.back().text.toStdString() << "\" does not close on its key";
    keys_.pop_front();
    forcing_ = true;
    box->reject();
    forcing_ = false;
    return;
  }
  QWindow* window = box->windowHandle();
  if (!window) return;
  const int key = keys_.front();
  ++presses_;
  QTest::keyClick(window, static_cast<Qt::Key>(key));
  if (!box->isVisible() || boxUp() != box) keys_.pop_front();
}

}  // namespace platform
