#pragma once
// A frame: a captioned border that groups the controls placed on it.

#include "container_control.h"

namespace controls {

class Frame : public ContainerControl {
 public:
  Frame(Container& parent, QString name);

  QString Caption() const { return caption_; }
  void setCaption(const QString& caption);
  // 0 none (no border, no caption line), 1 a single line (the default).
  int BorderStyle() const { return borderStyle_; }
  void setBorderStyle(int style);

 private:
  QString caption_;
  int borderStyle_ = 1;
};

}  // namespace controls
