#pragma once
// A control array: controls of one kind sharing a name, told apart by Index.
// Elements made at design time are created with the array; Load(i) adds
// element i at run time as a copy of element 0 (hidden until shown), the way
// the player makes its album boxes.
//
// The array raises its elements' events with the element's Index first:
//
//     Label1.MouseDown = [this](int Index, int Button, int Shift, double X, double Y) { ... };
//
// so the elements' own handlers belong to the array and must not be set.

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "container.h"
#include "control.h"
#include "store_error.h"

namespace controls {

template <typename T>
class ControlArray {
 public:
  // Elements 0 to designed - 1.
  ControlArray(Container& parent, QString name, int designed = 1) : parent_(parent), name_(std::move(name)) {
    for (int i = 0; i < designed; ++i) make(i);
  }
  ControlArray(const ControlArray&) = delete;
  ControlArray& operator=(const ControlArray&) = delete;

  // Element `index`; throws store::StoreError when there is none.
  T& operator()(int index) const {
    if (!exists(index)) throw store::StoreError("Control array element '" + std::to_string(index) + "' doesn't exist");
    return *elements_[static_cast<std::size_t>(index)];
  }
  T& operator[](int index) const { return (*this)(index); }
  bool exists(int index) const {
    return index >= 0 && index < static_cast<int>(elements_.size()) && elements_[static_cast<std::size_t>(index)];
  }
  // Number of elements that exist.
  int count() const {
    int n = 0;
    for (const auto& e : elements_) n += e ? 1 : 0;
    return n;
  }
  int LBound() const { return 0; }
  int UBound() const { return static_cast<int>(elements_.size()) - 1; }
  const QString& Name() const { return name_; }

  // Adds element `index` as a copy of element 0; throws store::StoreError
  // when it exists already.
  T& Load(int index) {
    if (exists(index)) throw store::StoreError("Object already loaded");
    T& element = make(index);
    if (exists(0) && index != 0) element.copyFrom((*this)(0));
    element.setVisible(false);
    return element;
  }
  // Removes element `index` (element 0 stays, as the designed one does).
  void Unload(int index) {
    if (index == 0 || !exists(index)) throw store::StoreError("Can't unload controls created at design time");
    elements_[static_cast<std::size_t>(index)].reset();
    while (!elements_.empty() && !elements_.back()) elements_.pop_back();
  }

  std::function<void(int Index)> Click;
  std::function<void(int Index)> DblClick;
  std::function<void(int Index, int Button, int Shift, double X, double Y)> MouseDown;
  std::function<void(int Index, int Button, int Shift, double X, double Y)> MouseMove;
  std::function<void(int Index, int Button, int Shift, double X, double Y)> MouseUp;
  std::function<void(int Index, int& KeyCode, int Shift)> KeyDown;
  std::function<void(int Index, int& KeyAscii)> KeyPress;
  std::function<void(int Index, Control& Source, double X, double Y)> DragDrop;

 private:
  T& make(int index) {
    if (static_cast<int>(elements_.size()) <= index) elements_.resize(static_cast<std::size_t>(index) + 1);
    auto element = std::make_unique<T>(parent_, name_);
    element->index_ = index;
    element->Click = [this, index] {
      if (Click) Click(index);
    };
    element->DblClick = [this, index] {
      if (DblClick) DblClick(index);
    };
    element->MouseDown = [this, index](int b, int s, double x, double y) {
      if (MouseDown) MouseDown(index, b, s, x, y);
    };
    element->MouseMove = [this, index](int b, int s, double x, double y) {
      if (MouseMove) MouseMove(index, b, s, x, y);
    };
    element->MouseUp = [this, index](int b, int s, double x, double y) {
      if (MouseUp) MouseUp(index, b, s, x, y);
    };
    element->KeyDown = [this, index](int& k, int s) {
      if (KeyDown) KeyDown(index, k, s);
    };
    element->KeyPress = [this, index](int& k) {
      if (KeyPress) KeyPress(index, k);
    };
    element->DragDrop = [this, index](Control& source, double x, double y) {
      if (DragDrop) DragDrop(index, source, x, y);
    };
    T& ref = *element;
    elements_[static_cast<std::size_t>(index)] = std::move(element);
    return ref;
  }

  Container& parent_;
  QString name_;
  std::vector<std::unique_ptr<T>> elements_;
};

}  // namespace controls
