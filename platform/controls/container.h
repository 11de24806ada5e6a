#pragma once
// What controls are placed on: a form, a frame, a picture box or one tab of a
// tabbed control. Controls placed on a container move, hide and disable with
// it, and option buttons on one container form one group.

#include <QWidget>
#include <vector>

namespace controls {

class Control;
class Form;

class Container {
 public:
  virtual ~Container() = default;

  // The widget the controls' widgets are children of.
  virtual QWidget* containerWidget() const = 0;
  virtual Form& form() = 0;
  // Whether what it holds can be seen, and used, as far as the containers
  // themselves decide (not the window).
  virtual bool containerShowing() const = 0;
  virtual bool containerEnabled() const = 0;

  // The controls placed here, in the order they were created.
  const std::vector<Control*>& controls() const { return controls_; }

 private:
  friend class Control;
  std::vector<Control*> controls_;
};

}  // namespace controls
