#pragma once
// A window. A window class derives from Form, declares its controls as
// members (constructed with `*this` as their container, the window's design
// in its constructor) and overrides the Form_ hooks it handles:
//
//     class MessageWindow : public controls::Form {
//      public:
//       MessageWindow() : Form("frmMessage") { setWidth(4380); setHeight(1350); ... }
//       controls::Label Label1{*this, "Label1"};
//      protected:
//       void Form_Load() override;
//     };
//
// Life: constructed (not loaded) -> Load() runs Form_Load -> Show() makes it
// visible, modeless or modal -> Hide() keeps it loaded -> Unload() runs
// Form_Unload and ends it; FormSlot makes a fresh one on the next use, so a
// window comes back in its design state each time it is loaded.
//
// A modal Show returns when the window has been hidden or unloaded; while it
// is up every other loaded window is blocked (it takes no user input). The
// wait itself belongs to the installed ModalDriver: a nested event loop in
// the programs, the test's script in tests.
//
// A window shown with an owner, and every modal window, belongs to its
// owner: it is the owner's transient child (a window manager keeps it above
// the owner) and comes up raised above it. A modal window shown without an
// owner belongs to the window on screen at the time (platform::ownerWindow).
// A window without a caption is titled with the program's title.
//
// Width and Height are the size of the window's client area (for a
// borderless window, its whole size); Left and Top place it on the screen.

#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "container.h"
#include "element.h"

class QMenu;

namespace controls {

class Menu;

inline constexpr int vbModeless = 0;
inline constexpr int vbModal = 1;

// WindowState values.
inline constexpr int vbNormal = 0;
inline constexpr int vbMinimized = 1;
inline constexpr int vbMaximized = 2;

// Form_QueryUnload's unloadMode: the window system's close (the close box,
// Alt+F4, a window list's close; it comes to a window without a border
// too, and a window that takes no input refuses it unasked), or the
// program's own Unload.
inline constexpr int vbFormControlMenu = 0;
inline constexpr int vbFormCode = 1;

class Form : public Element, public Container {
 public:
  explicit Form(QString name);
  ~Form() override;

  // Lifecycle.
  void Load();
  void Show(int modal = vbModeless);
  // Shows the window owned by `owner`: it stays in front of its owner.
  void Show(int modal, Form& owner);
  // The window that owns this one; nullptr for none, or once it is gone.
  Form* Owner() const;
  void Hide();
  void Unload();
  bool isLoaded() const { return loaded_; }
  bool isUnloaded() const { return unloaded_; }
  // A modal Show of this window is waiting.
  bool isModal() const { return modalDepth_ > 0; }

  void setVisible(bool visible) override;
  void setEnabled(bool enabled) override;

  QString Caption() const { return caption_; }
  void setCaption(const QString& caption);
  // 0 none (no border, no title bar), 1 fixed single, 2 sizable,
  // 3 fixed dialog, 4 fixed tool window, 5 sizable tool window.
  int BorderStyle() const { return borderStyle_; }
  void setBorderStyle(int style);
  int WindowState() const { return windowState_; }
  void setWindowState(int state);
  const Picture& Icon() const { return icon_; }
  void setIcon(const Picture& icon);
  double ScaleWidth() const { return Width(); }
  double ScaleHeight() const { return Height(); }

  // Shows `menu` as a pop-up menu at the pointer; returns after the menu
  // has closed and the chosen item's Click has run.
  void PopupMenu(Menu& menu);

  // Whether a modal window of someone else keeps this one from user input.
  bool isBlocked() const { return blocked_ > 0; }
  bool acceptsUserInput() const override;
  Form& form() override { return *this; }

  QWidget* containerWidget() const override { return widget(); }
  bool containerShowing() const override { return true; }
  bool containerEnabled() const override { return true; }

  // Runs a handler of this window; the window is not destroyed while one runs.
  class HandlerScope {
   public:
    explicit HandlerScope(Form& form) : form_(form) { ++form_.handlerDepth_; }
    ~HandlerScope() { --form_.handlerDepth_; }
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

   private:
    Form& form_;
  };
  int handlerDepth() const { return handlerDepth_; }

  // Test driver: the window's close box, as the user presses it.
  bool close();
  // Test driver: the window is drawn (Form_Paint), as when it is restored.
  void paint();

  // The loaded windows, in the order they were loaded.
  static std::vector<Form*> loadedForms();

  // Called by the ModalDriver's event loop: `callback` runs when the window
  // goes (hidden or unloaded) until the returned number is given back to
  // removeModalEndCallback. Every wait on the window has its own, so a
  // modal show made while another one waits ends both.
  int addModalEndCallback(std::function<void()> callback);
  void removeModalEndCallback(int id);

  // Called by the window's widget.
  void windowClosing(bool& accept);
  void windowPainted();
  void windowStateChanged(int state);
  void windowActivated();

 protected:
  virtual void Form_Load() {}
  // Set cancel to non-zero to keep the window loaded. A window with no
  // close box of its own decides here what the window system's close does.
  virtual void Form_QueryUnload(int& cancel, int unloadMode) { (void)cancel, (void)unloadMode; }
  virtual void Form_Unload(int& cancel) { (void)cancel; }
  virtual void Form_Activate() {}
  virtual void Form_Paint() {}

  void applyGeometry() override;
  void applyColors() override;

 private:
  void applyWindowFlags();
  // Show, owned by `owner` when it is given.
  void show(int modal, Form* owner);
  // Asks Form_QueryUnload and Form_Unload (unloadMode vbFormControlMenu or
  // vbFormCode) and unloads unless one cancelled; true when unloaded.
  bool unloadAsked(int unloadMode);
  void endModalWait();
  void activate();

  QString caption_;
  int borderStyle_ = 2;
  bool owned_ = false;  // shown for an owner, whose transient child it is
  int windowState_ = vbNormal;
  Picture icon_;
  Form* owner_ = nullptr;
  bool loaded_ = false;
  bool unloaded_ = false;
  bool painting_ = false;
  int modalDepth_ = 0;
  int blocked_ = 0;
  int handlerDepth_ = 0;
  std::map<int, std::function<void()>> modalEnds_;
  int nextModalEnd_ = 0;
  // Tells this window from one made later at the same address.
  std::uint64_t serial_;
};

// Ends the program at once, whatever windows are open (the installed
// handler; by default the process exits). Tests install one that records.
void End();
void setEndHandler(std::function<void()> handler);

// Called when the last loaded window has been unloaded; by default it quits
// the application's event loop.
void setLastFormUnloadedHandler(std::function<void()> handler);

namespace detail {
// Destroys an unloaded window once none of its handlers is running.
void retireForm(std::unique_ptr<Form> form);
void purgeRetiredForms();
}  // namespace detail

// The one instance of a window, made and loaded on first use and made anew
// after it was unloaded, the way the programs refer to their windows by name:
//
//     controls::FormSlot<MessageWindow> frmMessage;
//     frmMessage->Label1.setCaption("Working....");
template <typename F>
class FormSlot {
 public:
  FormSlot() : make_([] { return std::make_unique<F>(); }) {}
  explicit FormSlot(std::function<std::unique_ptr<F>()> make) : make_(std::move(make)) {}
  ~FormSlot() {
    if (form_) detail::retireForm(std::move(form_));
  }
  FormSlot(const FormSlot&) = delete;
  FormSlot& operator=(const FormSlot&) = delete;

  // The window, loading it first when it is not loaded.
  F& get() {
    detail::purgeRetiredForms();
    if (!form_ || form_->isUnloaded()) {
      if (form_) detail::retireForm(std::move(form_));
      form_ = make_();
      form_->Load();
    }
    return *form_;
  }
  F& operator*() { return get(); }
  F* operator->() { return &get(); }

  // The window when it is loaded, without loading it.
  F* ifLoaded() const { return form_ && form_->isLoaded() ? form_.get() : nullptr; }

 private:
  std::function<std::unique_ptr<F>()> make_;
  std::unique_ptr<F> form_;
};

}  // namespace controls
