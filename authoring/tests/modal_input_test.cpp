// The main window takes the user's input again once its modal windows and
// boxes have gone, whatever they were: here the order of a session that once
// left it answering only its frame's pictures, walked through with the
// program's own waits (event loops) and real boxes, each closed by a click on
// its OK as a user closes it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTabBar>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "album_tab_fixture.h"
#include "dialog.h"
#include "dialogs/dialog_service.h"
#include "modal_driver.h"
#include "runtime_rules.h"
#include "system/event_pump.h"
#include "twips.h"
#include "window_input.h"

namespace authoring_test {
namespace {

namespace fs = std::filesystem;
using controls::WindowInput;

QPointF twipsOf(QPoint pixels) { return {controls::pixelsToTwips(pixels.x()), controls::pixelsToTwips(pixels.y())}; }


// The windows the program's own waits and boxes run in, while the test lives.
class ProgramsWaits {
 public:
  ProgramsWaits() : driver_(controls::installedModalDriver()), dialogs_(&platform::dialogs()) {
    controls::setModalDriver(nullptr);
    platform::setDialogService(&qt_);
    platform::installEventPump();
  }
  ~ProgramsWaits() {
    runtime::setPendingEventsHandler({});
    platform::setDialogService(dialogs_);
    controls::setModalDriver(driver_);
  }
  ProgramsWaits(const ProgramsWaits&) = delete;
  ProgramsWaits& operator=(const ProgramsWaits&) = delete;

 private:
  controls::ModalDriver* driver_;
  platform::DialogService* dialogs_;
  platform::QtDialogService qt_;
};

// A user who looks at the screen every few milliseconds and takes the next
// step once it can be taken (a step answers whether it could). What is still
// up when time runs out is closed, so that the test never waits for ever.
class User {
 public:
  void then(std::function<bool()> step) { steps_.push_back(std::move(step)); }
  // Starts with `first` and acts until every step is taken; false when time ran out.
  bool run(const std::function<void()>& first) {
    QTimer ticker;
    ticker.setInterval(5);
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&ticker, &QTimer::timeout, [&] {
      if (clock.elapsed() > 10000) {
        steps_.clear();
        closeWhatIsUp();
        return;
      }
      if (!steps_.empty() && steps_.front()()) steps_.pop_front();
    });
    ticker.start();
    QTimer::singleShot(0, first);
    while (!steps_.empty()) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    ticker.stop();
    QApplication::processEvents();
    return clock.elapsed() <= 10000;
  }

  static QMessageBox* box() {
    auto* up = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    return up && up->isVisible() ? up : nullptr;
  }
  static controls::Form* shown(const QString& name) {
    for (controls::Form* form : controls::Form::loadedForms())
      if (form->Name() == name && form->Visible()) return form;
    return nullptr;
  }
  // The box's OK, clicked on the box's own window; the box's text is kept.
  bool clickOkOfBox() {
    QMessageBox* up = box();
    if (!up) return false;
    boxes_.push_back(up->text().toStdString());
    QAbstractButton* ok = up->buttons().value(0);
    QTimer::singleShot(0, [up, ok] { WindowInput(up).clickAt(twipsOf(ok->mapTo(up, ok->rect().center()))); });
    return true;
  }
  // `act` on the window called `name` once it is up with no box over it;
  // the act runs on its own turn of the event loop, as the user's click does.
  void onWindow(const QString& name, std::function<void(controls::Form&)> act) {
    then([name, act] {
      controls::Form* form = shown(name);
      if (!form || box()) return false;
      QTimer::singleShot(0, [form, act] { act(*form); });
      return true;
    });
  }

 private:
  static void closeWhatIsUp() {
    ADD_FAILURE() << "the user's steps could not all be taken";
    if (QMessageBox* up = box()) up->reject();
    for (controls::Form* form : controls::Form::loadedForms())
      if (form->isModal()) form->Unload();
  }
  std::deque<std::function<bool()>> steps_;

 public:
  // The texts of the boxes closed so far.
  std::vector<std::string> boxes_;
};

class MainWindowInput : public AlbumTabTest {
 protected:
  void SetUp() override {
    AlbumTabTest::SetUp();
    addAlbums({"01 - Jazz", "02 - Rock"});
    addSongs("01 - Jazz", {"01 - a.mp3"});
    const fs::path pictures = userFolder("pictures", {});
    for (int i = 1; i <= 12; ++i) writeAll(pictures / ("bad" + std::to_string(10 + i) + ".jpg"), "no picture in here");
    form.lastVisitedDirectory = QString::fromStdString(pictures.string());
    QApplication::processEvents();
  }
  // The album tab answers the mouse: an album, its rename command, the song
  // list, a source option and the tabs.
  void expectTheAlbumTabAnswers() {
    WindowInput user(form);
    EXPECT_FALSE(form.isBlocked());
    EXPECT_TRUE(form.widget()->isEnabled());
    ASSERT_TRUE(user.clickAt(user.entryOf(form.List1, 1)));
    EXPECT_EQ(form.List1.ListIndex(), 1);
    fakes.dialogs->expectInputBox("Enter new Album name", "").withDefaultText("Rock");
    fakes.dialogs->expectMsgBox("Illegal name.", platform::vbOK);
    ASSERT_TRUE(user.clickOn(form.Command19));
    EXPECT_TRUE(fakes.dialogs->allShown());
    ASSERT_TRUE(user.clickOn(form.optFrom2));
    EXPECT_TRUE(form.optFrom2.Value());
    auto* tabs = form.SSTab1.widget()->findChild<QTabBar*>();
    ASSERT_NE(tabs, nullptr);
    ASSERT_TRUE(user.clickAt(twipsOf(tabs->mapTo(form.widget(), tabs->tabRect(2).center()))));
    EXPECT_EQ(form.SSTab1.Tab(), 2);
  }
};

TEST_F(MainWindowInput, TakesInputAfterTheLyricsEditorAndAPickerOfPicturesThatAreNone) {
  WindowInput main(form);
  ASSERT_TRUE(main.clickAt(main.entryOf(form.List1, 0)));
  ASSERT_TRUE(main.clickAt(main.entryOf(form.File4, 0)));
  {
    const ProgramsWaits waits;
    User user;
    // The lyrics editor, left with Escape.
    user.onWindow("frmEditTxt", [](controls::Form& editor) { WindowInput(editor).key(controls::vbKeyEscape); });
    // The album's picture: eleven files that are no picture, each box closed
    // by its OK, then the picker's OK with the last of them.
    user.then([&] {
      if (User::shown("frmEditTxt") || User::box()) return false;
      QTimer::singleShot(0, [&] { WindowInput(form).clickOn(form.Command20); });
      return true;
    });
    for (int file = 0; file < 11; ++file) {
      user.onWindow("Dialog", [file](controls::Form& window) {
        auto& picker = static_cast<Dialog&>(window);
        WindowInput(picker).clickAt(WindowInput(picker).entryOf(picker.File1, file));
      });
      user.then([&] { return user.clickOkOfBox(); });
    }
    user.onWindow("Dialog", [](controls::Form& window) {
      WindowInput(window).clickOn(static_cast<Dialog&>(window).OKButton);
    });
    user.then([&] { return !User::shown("Dialog") && user.clickOkOfBox(); });
    ASSERT_TRUE(user.run([&] { WindowInput(form).clickOn(form.Command15); }));
    EXPECT_EQ(user.boxes_, std::vector<std::string>(12, "Invalid picture"));
  }
  EXPECT_TRUE(fs::exists(mirror / "01 - Jazz" / "01 - a.dat"));
  EXPECT_EQ(User::shown("Dialog"), nullptr);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  expectTheAlbumTabAnswers();
}

}  // namespace
}  // namespace authoring_test
