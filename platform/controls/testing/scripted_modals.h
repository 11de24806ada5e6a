#pragma once
// The tests' modal driver: while it lives, every modal window and pop-up
// menu runs the action the test queued for it, in order, and returns at
// once. A modal window or menu the script did not expect, a window still up
// after its action, and an expectation never met each fail the test. A
// test program that links this library fails any modal window shown while
// no script is installed, instead of waiting for it.
//
//     controls::ScriptedModals modals;
//     modals.expect<frmMessage>([](frmMessage& m) { m.Label1.click(); });
//     form5.Command2.click();  // shows the help text modally, clicked away

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

#include "form.h"
#include "modal_driver.h"

namespace controls {

class ScriptedModals : public ModalDriver {
 public:
  ScriptedModals();
  ~ScriptedModals() override;
  ScriptedModals(const ScriptedModals&) = delete;
  ScriptedModals& operator=(const ScriptedModals&) = delete;

  // The next modal window is the one called `formName`; `action` acts on it
  // as the user would (and must close it).
  ScriptedModals& expect(const QString& formName, std::function<void(Form&)> action);
  // The next modal window is of class F.
  template <typename F>
  ScriptedModals& expect(std::function<void(F&)> action) {
    return add({QString(), [](Form& f) { return dynamic_cast<F*>(&f) != nullptr; },
                [action](Form& f) { action(static_cast<F&>(f)); }, {}, {}});
  }
  // The next pop-up menu is `menuName`; the user chooses `itemName` (empty:
  // dismisses the menu).
  ScriptedModals& expectPopup(const QString& menuName, const QString& itemName);

  // The modal windows and menus shown so far, by name, in order.
  const QStringList& shown() const { return shown_; }
  // Expectations not yet met.
  int pending() const { return static_cast<int>(script_.size()); }

  void runModal(Form& form) override;
  MenuItem* runPopupMenu(Form& owner, Menu& menu) override;

 private:
  struct Step {
    QString formName;
    std::function<bool(Form&)> matches;
    std::function<void(Form&)> action;
    QString menuName;
    QString itemName;
    bool isPopup() const { return !menuName.isEmpty(); }
  };
  ScriptedModals& add(Step step);

  std::deque<Step> script_;
  QStringList shown_;
  ModalDriver* previous_;
};

}  // namespace controls
