#pragma once
// A control that holds controls of its own (frames, picture boxes): what it
// holds shows and takes input only while it does itself.

#include "control.h"

namespace controls {

class ContainerControl : public Control, public Container {
 public:
  Form& form() override { return Control::form(); }
  QWidget* containerWidget() const override { return widget(); }
  bool containerShowing() const override { return Visible() && parent().containerShowing(); }
  bool containerEnabled() const override { return Enabled() && parent().containerEnabled(); }

 protected:
  using Control::Control;
};

}  // namespace controls
