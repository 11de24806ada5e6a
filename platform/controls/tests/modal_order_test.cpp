// A modal window gives every window it blocked its input back when it goes,
// in whatever order the windows come and go meanwhile: a second modal show
// of the same window, a failure unwinding out of the wait, a blocked window
// unloaded and made anew at the same address.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <cstddef>
#include <stdexcept>

#include "command_button.h"
#include "form.h"
#include "modal_driver.h"
#include "scripted_modals.h"

namespace controls {
namespace {

class Window : public Form {
 public:
  explicit Window(const QString& name) : Form(name) {}
  CommandButton Command1{*this, "Command1"};
};

// What the user can do in `main` once the modal windows have gone.
void expectUsable(Window& main) {
  EXPECT_FALSE(main.isBlocked());
  EXPECT_TRUE(main.widget()->isEnabled());
  EXPECT_TRUE(main.Command1.acceptsUserInput());
}

// The programs' driver: each wait is an event loop until its window goes.
class ProgramsDriver {
 public:
  ProgramsDriver() : previous_(installedModalDriver()) { setModalDriver(nullptr); }
  ~ProgramsDriver() { setModalDriver(previous_); }
  ProgramsDriver(const ProgramsDriver&) = delete;
  ProgramsDriver& operator=(const ProgramsDriver&) = delete;

 private:
  ModalDriver* previous_;
};

// A wait still running after `ms` fails the test and is ended, so that the
// test never hangs: every event loop of the program is told to end, and the
// application's own state is put back for the tests that follow.
class WaitLimit {
 public:
  explicit WaitLimit(int ms) {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      ADD_FAILURE() << "a modal wait did not end when its window went";
      hit_ = true;
      QCoreApplication::exit(1);
    });
    timer_.start(ms);
  }
  ~WaitLimit() {
    timer_.stop();
    if (!hit_) return;
    // exit() leaves every loop made after it at once; a short run of the
    // application's own loop takes that back.
    QTimer::singleShot(0, [] { QCoreApplication::quit(); });
    QCoreApplication::exec();
  }
  WaitLimit(const WaitLimit&) = delete;
  WaitLimit& operator=(const WaitLimit&) = delete;

 private:
  QTimer timer_;
  bool hit_ = false;
};

TEST(ModalOrder, AWindowShownModallyAgainWhileItsFirstShowWaitsEndsBothWaitsWhenItGoes) {
  Window main("Form5");
  main.Show();
  Window message("frmMessage");
  const ProgramsDriver driver;
  bool innerReturned = false, outerReturned = false;
  {
    const WaitLimit limit(3000);
    // During the first wait something shows the same window modally again;
    // during that second wait the window goes.
    QTimer::singleShot(0, [&] {
      QTimer::singleShot(0, [&] { message.Unload(); });
      message.Show(vbModal);
      innerReturned = true;
    });
    message.Show(vbModal);
    outerReturned = true;
  }
  EXPECT_TRUE(innerReturned);
  EXPECT_TRUE(outerReturned);
  EXPECT_FALSE(message.isModal());
  expectUsable(main);
}

TEST(ModalOrder, AFailureUnwindingOutOfAWaitLeavesNoWindowBlocked) {
  Window main("Form5");
  main.Show();
  Window picker("Dialog");
  ScriptedModals modals;
  modals.expect("Dialog", [](Form&) { throw std::runtime_error("a handler failed"); });
  EXPECT_THROW(picker.Show(vbModal), std::runtime_error);
  EXPECT_FALSE(picker.isModal());
  expectUsable(main);
  picker.Unload();
}

// A message window whose every instance is made at the same address, as the
// allocator may well do when a window is unloaded and made anew at once.
class SameAddressWindow : public Window {
 public:
  SameAddressWindow() : Window("frmMessage") {}
  static void* operator new(std::size_t size);
  static void operator delete(void* p) noexcept;
};
alignas(SameAddressWindow) unsigned char sameAddress[sizeof(SameAddressWindow)];
bool sameAddressTaken = false;
void* SameAddressWindow::operator new(std::size_t size) {
  if (size > sizeof sameAddress || sameAddressTaken) throw std::bad_alloc();
  sameAddressTaken = true;
  return sameAddress;
}
void SameAddressWindow::operator delete(void*) noexcept { sameAddressTaken = false; }

TEST(ModalOrder, AWindowMadeAnewWhileAModalWindowBlockedTheOldOneKeepsItsOwnBlocking) {
  Window main("Form5");
  main.Show();
  FormSlot<SameAddressWindow> message;
  message->Hide();  // loaded and hidden, as the splash leaves it
  SameAddressWindow* first = &*message;
  Window picker("Dialog");
  ScriptedModals modals;
  modals.expect("Dialog", [&](Form& p) {
    // The message window the picker blocked goes; the next use makes it anew
    // (at the same address) and leaves it loaded, as the busy indicator does.
    message->Unload();
    message->Show();
    message->Hide();
    p.Unload();
  });
  picker.Show(vbModal);
  ASSERT_EQ(&*message, first) << "the new window was not made where the old one was";
  EXPECT_FALSE(message->isBlocked());

  // The next modal window blocks it like every other window, and gives it back.
  Window editor("frmEditTxt");
  bool blockedMeanwhile = false;
  modals.expect("frmEditTxt", [&](Form& e) {
    blockedMeanwhile = message->isBlocked() && !message->widget()->isEnabled();
    e.Unload();
  });
  editor.Show(vbModal);
  EXPECT_TRUE(blockedMeanwhile);
  EXPECT_FALSE(message->isBlocked());
  EXPECT_TRUE(message->widget()->isEnabled());
  expectUsable(main);
}

}  // namespace
}  // namespace controls
