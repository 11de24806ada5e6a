#pragma once
// A label: a caption drawn on its container, wrapped at word boundaries to
// its width. An "&" in the caption marks the access key and "&&" shows one
// "&", unless the label is told to show its caption as it stands, as the
// labels that show the user's names and texts are.

#include "control.h"

class QLabel;

namespace controls {

class Label : public Control {
 public:
  Label(Container& parent, QString name);

  // The caption as set, marks included.
  QString Caption() const { return caption_; }
  void setCaption(const QString& caption);
  // True (the default): the caption's access-key marks are taken out when
  // it is shown; false: the caption shows as it stands.
  bool UseMnemonic() const { return useMnemonic_; }
  void setUseMnemonic(bool useMnemonic);
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
  void showCaption();
  void fitToCaption();

  QString caption_;
  int alignment_ = 0;
  int backStyle_ = 1;
  int borderStyle_ = 0;
  bool autoSize_ = false;
  bool useMnemonic_ = true;
};

}  // namespace controls
