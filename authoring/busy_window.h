#pragma once
// Long work of a command of the main window. While it runs the window takes
// no input, so that nothing can change what the work is changing, and
// "Working...." is up; both are undone when the guard goes, however the work
// ends. Nothing may leave the window disabled for good: a window that takes
// no input refuses even the window system's close.
//
//     try {
//       const BusyWindow busy(*this);
//       ...  // may throw anything: a file error, no memory, ...
//     } catch (const std::exception& error) {
//       showFileWorkError(error);  // the window takes input again by now
//     }

class Form5;

class BusyWindow {
 public:
  enum Indicator { kWorking, kNoIndicator };

  explicit BusyWindow(Form5& form, Indicator indicator = kWorking);
  ~BusyWindow();
  BusyWindow(const BusyWindow&) = delete;
  BusyWindow& operator=(const BusyWindow&) = delete;

  // Another window took the main window's input over (the ripper, which
  // gives it back when it closes): the main window stays disabled.
  void handOver() { handedOver_ = true; }

 private:
  void restore() noexcept;

  Form5& form_;
  bool wasEnabled_;
  bool working_;
  bool handedOver_ = false;
};
