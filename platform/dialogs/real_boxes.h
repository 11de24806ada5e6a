#pragma once
// For tests of what a user meets in the real message and input boxes: while
// it lives the Qt dialog service is installed, and each box that comes up
// gets the key the test queued for it pressed on the box's window, the way
// the window system hands a key to the program. A box its key does not close
// is closed by force after a while and counted as stuck, so that no test
// waits for ever. Needs a QApplication.
//
//   platform::RealBoxes boxes;
//   boxes.pressOnNextBox(Qt::Key_Return);
//   ... the command that shows the box ...
//   EXPECT_TRUE(boxes.shown().at(0).closedByKey);

#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWindow>
#include <deque>
#include <vector>

#include "dialogs/dialog_service.h"

class QDialog;

namespace platform {

class RealBoxes {
 public:
  struct Box {
    QString title;
    QString text;
    QPointer<QWindow> owner;      // the window it is the transient child of
    QString ownerTitle;           // that window's title when the box came up
    bool childWidget = false;     // it was made a child widget of another window
    bool closedByKey = false;     // its key closed it
  };

  RealBoxes();
  ~RealBoxes();
  RealBoxes(const RealBoxes&) = delete;
  RealBoxes& operator=(const RealBoxes&) = delete;

  // The next box that comes up gets `key` pressed on its window. A box no
  // key was queued for fails the test and is closed.
  void pressOnNextBox(int key);

  // Every box that came up, in order.
  const std::vector<Box>& shown() const { return shown_; }

 private:
  void look();

  QtDialogService qt_;
  DialogService* previous_;
  QTimer timer_;
  std::deque<int> keys_;
  std::vector<Box> shown_;
  QPointer<QDialog> current_;
  int presses_ = 0;
  bool forcing_ = false;
};

}  // namespace platform
