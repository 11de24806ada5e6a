#pragma once
// A label: a caption drawn on its container, wrapped at word boundaries to
// its width.

#include "control.h"

class QLabel;

namespace controls {

class Label : public Control {
 public:
  Label(Container& parent, QString name);

  QString Caption() const { return caption_; }
  void setCaption(const QString& caption);
  // 0 left, 1 right, 2 centred.
  int Alignment() const { return alignment_; }
  void setAlignment(int alignment);
  // 0 transparent (the container shows through), 1 opaque.
  int BackStyle() const { return backStyle_; }
  void setBackStyle(int style);
  // 0 none, 1 a single line.
  int BorderStyle() const { return borderStyle_; }
  void setBorderStyle(int style);
  // Whether the label takes the size of its caption.
  bool AutoSize() const { return autoSize_; }
  void setAutoSize(bool autoSize);

  void copyFrom(const Control& other) override;

 protected:
  void applyColors() override;

 private:
  QLabel* label() const;
  void fitToCaption();

  QString caption_;
  int alignment_ = 0;
  int backStyle_ = 1;
  int borderStyle_ = 0;
  bool autoSize_ = false;
};

}  // namespace controls
