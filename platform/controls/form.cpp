#include "form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "dialogs/dialog_service.h"
#include "dialogs/window_owner.h"
#include "menu.h"
#include "modal_driver.h"
#include "twips.h"

namespace controls {

namespace {

std::vector<Form*>& liveForms() {
  static std::vector<Form*> forms;
  return forms;
}

bool isLive(const Form* form) {
  const auto& forms = liveForms();
  return std::find(forms.begin(), forms.end(), form) != forms.end();
}

std::function<void()>& endHandler() {
  static std::function<void()> handler = [] {
    std::fflush(nullptr);
    std::_Exit(0);
  };
  return handler;
}

std::function<void()>& lastFormHandler() {
  static std::function<void()> handler = [] { QCoreApplication::quit(); };
  return handler;
}

Form* activeForm = nullptr;

std::uint64_t nextSerial() {
  static std::uint64_t serial = 0;
  return ++serial;
}

// The top-level widget of a form: hands the window system's close box,
// painting, state changes and activation to the form.
class FormWindow : public QWidget {
 public:
  FormWindow() : QWidget(nullptr, Qt::Window) {}
  Form* form = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override {
    bool accept = true;
    if (form) form->windowClosing(accept);
    event->setAccepted(accept);
  }
  void paintEvent(QPaintEvent* event) override {
    QWidget::paintEvent(event);
    // Paint handlers may hide or show windows; they run once the painting is done.
    QPointer<FormWindow> self(this);
    QTimer::singleShot(0, this, [self] {
      if (self && self->form) self->form->windowPainted();
    });
  }
  void changeEvent(QEvent* event) override {
    QWidget::changeEvent(event);
    if (!form) return;
    if (event->type() == QEvent::WindowStateChange) {
      const Qt::WindowStates s = windowState();
      form->windowStateChanged(s & Qt::WindowMinimized ? vbMinimized : s & Qt::WindowMaximized ? vbMaximized : vbNormal);
    } else if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
      form->windowActivated();
    }
  }
};

}  // namespace

Form::Form(QString name) : Element(std::move(name), new FormWindow), serial_(nextSerial()) {
  static_cast<FormWindow*>(widget())->form = this;
  // Drags of the program's controls come to every window; the event bridge
  // hands them to the control under the pointer.
  widget()->setAcceptDrops(true);
  setVisibleFlag(false);
  liveForms().push_back(this);
  // The designed size; a designed place is set by the window itself.
  setWidth(4800);
  setHeight(3600);
}

Form::~Form() {
  static_cast<FormWindow*>(widget())->form = nullptr;
  auto& forms = liveForms();
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  if (activeForm == this) activeForm = nullptr;
}

std::vector<Form*> Form::loadedForms() {
  std::vector<Form*> loaded;
  for (Form* f : liveForms())
    if (f->loaded_) loaded.push_back(f);
  return loaded;
}

void Form::Load() {
  if (loaded_) return;
  loaded_ = true;
  unloaded_ = false;
  HandlerScope scope(*this);
  Form_Load();
}

void Form::activate() {
  activeForm = this;
  HandlerScope scope(*this);
  Form_Activate();
}

void Form::Show(int modal) { show(modal, nullptr); }

void Form::Show(int modal, Form& owner) { show(modal, &owner); }

void Form::show(int modal, Form* owner) {
  HandlerScope scope(*this);
  Load();
  if (!loaded_) return;  // Form_Load unloaded it again
  QWidget* w = widget();
  // The program's title may have been given after the window was made.
  platform::setShownTitle(*w, caption_);
  owner_ = owner != this ? owner : nullptr;
  if (owner_) owner_->widget()->winId();  // an owner never shown yet has no native window
  QWindow* ownerWindow = owner_ ? owner_->widget()->windowHandle() : nullptr;
  if (!ownerWindow && modal == vbModal) ownerWindow = platform::ownerWindow(w->windowHandle());
  if (owned_ != (ownerWindow != nullptr)) {
    owned_ = ownerWindow != nullptr;
    applyWindowFlags();
  }
  platform::setOwnerWindow(*w, ownerWindow);
  if (!positionSet()) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
      const QRect area = screen->availableGeometry();
      Element::Move(pixelsToTwips(area.x() + (area.width() - w->width()) / 2),
                    pixelsToTwips(area.y() + (area.height() - w->height()) / 2));
    }
  }
  if (modal != vbModal) {
    const bool wasVisible = Visible();
    setVisibleFlag(true);
    if (windowState_ == vbMinimized) w->showMinimized();
    else if (windowState_ == vbMaximized) w->showMaximized();
    else w->show();
    if (ownerWindow) w->raise();
    if (!wasVisible || activeForm != this) activate();
    return;
  }

  // Each window blocked here is known by its serial too: one unloaded and
  // made anew at the same address meanwhile was never blocked here.
  struct Blocked {
    Form* form;
    std::uint64_t serial;
  };
  std::vector<Blocked> blockedHere;
  for (Form* other : loadedForms()) {
    if (other == this) continue;
    ++other->blocked_;
    other->widget()->setEnabled(false);
    blockedHere.push_back({other, other->serial_});
  }
  // A window that was loaded, hidden, while another modal window came up was
  // blocked with the rest; shown modally on top of it now, it is the one
  // window that takes input until it goes again.
  const int blockedBefore = blocked_;
  const std::uint64_t serial = serial_;
  blocked_ = 0;
  // However the wait ends, by the window going or by a failure unwinding
  // through it, every window it blocked is given back its input.
  const auto endOfWait = qScopeGuard([&] {
    const bool stillHere = isLive(this) && serial_ == serial;
    if (stillHere) {
      --modalDepth_;
      w->setWindowModality(Qt::NonModal);
    }
    for (const Blocked& other : blockedHere) {
      if (!isLive(other.form) || other.form->serial_ != other.serial) continue;
      if (--other.form->blocked_ == 0) other.form->widget()->setEnabled(other.form->Enabled());
    }
    if (stillHere && blockedBefore > 0) {
      blocked_ += blockedBefore;
      w->setEnabled(false);
    }
  });
  w->setEnabled(Enabled());
  if (w->isVisible()) w->hide();
  w->setWindowModality(Qt::ApplicationModal);
  setVisibleFlag(true);
  ++modalDepth_;
  w->show();
  // Without a window manager nothing else would lift it above its owner.
  w->raise();
  w->activateWindow();
  activate();
  if (Visible() && loaded_) modalDriver().runModal(*this);
}

Form* Form::Owner() const { return owner_ && isLive(owner_) ? owner_ : nullptr; }

int Form::addModalEndCallback(std::function<void()> callback) {
  const int id = ++nextModalEnd_;
  modalEnds_.emplace(id, std::move(callback));
  return id;
}

void Form::removeModalEndCallback(int id) { modalEnds_.erase(id); }

void Form::endModalWait() {
  // A callback may take itself away, or another wait's.
  std::vector<std::function<void()>> ends;
  for (const auto& [id, end] : modalEnds_) ends.push_back(end);
  for (const auto& end : ends) end();
}

void Form::Hide() {
  setVisibleFlag(false);
  widget()->hide();
  endModalWait();
}

void Form::setVisible(bool visible) {
  if (visible)
    Show(vbModeless);
  else
    Hide();
}

void Form::setEnabled(bool enabled) {
  setEnabledFlag(enabled);
  widget()->setEnabled(enabled && !isBlocked());
}

bool Form::unloadAsked(int unloadMode) {
  HandlerScope scope(*this);
  int cancel = 0;
  Form_QueryUnload(cancel, unloadMode);
  if (cancel) return false;
  Form_Unload(cancel);
  if (cancel) return false;
  loaded_ = false;
  unloaded_ = true;
  setVisibleFlag(false);
  widget()->hide();
  if (activeForm == this) activeForm = nullptr;
  endModalWait();
  if (loadedForms().empty() && lastFormHandler()) lastFormHandler()();
  return true;
}

void Form::Unload() {
  if (loaded_) unloadAsked(vbFormCode);
}

void Form::windowClosing(bool& accept) {
  if (!loaded_) {
    accept = true;
    return;
  }
  // A window that takes no input, disabled by the program or blocked by a
  // modal window, refuses the window system's close as it refuses a click;
  // whatever took its input away gives it back.
  accept = Enabled() && !isBlocked() && unloadAsked(vbFormControlMenu);
}

bool Form::close() {
  if (!acceptsUserInput()) return false;
  widget()->close();
  return true;
}

void Form::windowPainted() {
  if (painting_ || !loaded_ || !Visible()) return;
  painting_ = true;
  HandlerScope scope(*this);
  Form_Paint();
  painting_ = false;
}

void Form::paint() {
  if (!loaded_ || !Visible() || windowState_ == vbMinimized) return;
  windowPainted();
}

void Form::windowStateChanged(int state) { windowState_ = state; }

void Form::windowActivated() {
  if (activeForm != this && loaded_ && Visible()) activate();
}

void Form::setCaption(const QString& caption) {
  caption_ = caption;
  platform::setShownTitle(*widget(), caption);
}

void Form::setBorderStyle(int style) {
  borderStyle_ = style;
  applyWindowFlags();
  applyGeometry();
}

void Form::applyWindowFlags() {
  QWidget* w = widget();
  const bool wasVisible = w->isVisible();
  Qt::WindowFlags flags = Qt::Window;
  switch (borderStyle_) {
    case 0: flags |= Qt::FramelessWindowHint; break;
    case 3: flags = Qt::Dialog; break;
    case 4:
    case 5: flags = Qt::Tool; break;
    default: break;
  }
  // The window system keeps a window above its owner only when it is of a
  // dialog's kind; frame and buttons stay as designed.
  if (owned_ && (flags & Qt::WindowType_Mask) == Qt::Window) {
    flags = (flags & ~Qt::WindowType_Mask) | Qt::Dialog;
    if (!(flags & Qt::FramelessWindowHint))
      flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
  }
  w->setWindowFlags(flags);
  if (wasVisible) w->show();
}

void Form::setWindowState(int state) {
  windowState_ = state;
  if (!Visible()) return;
  QWidget* w = widget();
  if (state == vbMinimized) w->showMinimized();
  else if (state == vbMaximized) w->showMaximized();
  else w->showNormal();
}

void Form::setIcon(const Picture& icon) {
  icon_ = icon;
  widget()->setWindowIcon(icon.isEmpty() ? QIcon() : QIcon(icon.pixmap()));
}

void Form::applyGeometry() {
  QWidget* w = widget();
  const int width = std::max(1, twipsToPixels(Width()));
  const int height = std::max(1, twipsToPixels(Height()));
  const bool fixed = borderStyle_ == 1 || borderStyle_ == 3 || borderStyle_ == 4;
  if (fixed) {
    w->setFixedSize(width, height);
  } else {
    w->setMinimumSize(0, 0);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    w->resize(width, height);
  }
  if (positionSet()) w->move(twipsToPixels(Left()), twipsToPixels(Top()));
}

void Form::applyColors() { Element::applyColors(); }

bool Form::acceptsUserInput() const {
  return loaded_ && Visible() && Enabled() && !isBlocked() && windowState_ != vbMinimized;
}

void Form::PopupMenu(Menu& menu) {
  HandlerScope scope(*this);
  MenuItem* chosen = modalDriver().runPopupMenu(*this, menu);
  if (chosen && chosen->Enabled() && chosen->Visible() && chosen->Click) chosen->Click();
}

void End() {
  if (endHandler()) endHandler()();
}

void setEndHandler(std::function<void()> handler) { endHandler() = std::move(handler); }

void setLastFormUnloadedHandler(std::function<void()> handler) { lastFormHandler() = std::move(handler); }

namespace detail {

namespace {
std::vector<std::unique_ptr<Form>>& retired() {
  static std::vector<std::unique_ptr<Form>> forms;
  return forms;
}
}  // namespace

void purgeRetiredForms() {
  auto& list = retired();
  std::vector<std::unique_ptr<Form>> doomed;
  for (auto it = list.begin(); it != list.end();) {
    if ((*it)->handlerDepth() == 0 && !(*it)->isModal()) {
      doomed.push_back(std::move(*it));
      it = list.erase(it);
    } else {
      ++it;
    }
  }
  // `doomed` goes out of scope here, after the list is consistent again.
}

void retireForm(std::unique_ptr<Form> form) {
  if (!form) return;
  // Past the application's end no widget may be touched any more.
  if (!QCoreApplication::instance()) {
    (void)form.release();
    return;
  }
  retired().push_back(std::move(form));
  purgeRetiredForms();
  if (!retired().empty() && QCoreApplication::instance())
    QTimer::singleShot(0, QCoreApplication::instance(), [] { purgeRetiredForms(); });
}

}  // namespace detail

}  // namespace controls
