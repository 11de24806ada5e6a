#include "scripted_modals.h"

#include <gtest/gtest.h>

#include "menu.h"

namespace controls {

namespace {

// Between scripts a modal window fails the test at once: no user is there
// to close it, so waiting for one would hang the test.
class NoScript : public ModalDriver {
 public:
  void runModal(Form& form) override {
    ADD_FAILURE() << "modal window " << form.Name().toStdString() << " shown with no ScriptedModals installed";
    form.Hide();
  }
  MenuItem* runPopupMenu(Form&, Menu& menu) override {
    ADD_FAILURE() << "pop-up menu " << menu.Name().toStdString() << " shown with no ScriptedModals installed";
    return nullptr;
  }
};

// Every test program that links this library starts with it installed.
[[maybe_unused]] const bool noScriptInstalled = [] {
  static NoScript driver;
  setModalDriver(&driver);
  return true;
}();

}  // namespace

ScriptedModals::ScriptedModals() : previous_(installedModalDriver()) { setModalDriver(this); }

ScriptedModals::~ScriptedModals() {
  for (const Step& step : script_)
    ADD_FAILURE() << "expected " << (step.isPopup() ? "pop-up menu " + step.menuName.toStdString()
                                                    : "modal window " + step.formName.toStdString())
                  << " was never shown";
  setModalDriver(previous_);
}

ScriptedModals& ScriptedModals::add(Step step) {
  script_.push_back(std::move(step));
  return *this;
}

ScriptedModals& ScriptedModals::expect(const QString& formName, std::function<void(Form&)> action) {
  return add({formName, [formName](Form& f) { return f.Name() == formName; }, std::move(action), {}, {}});
}

ScriptedModals& ScriptedModals::expectPopup(const QString& menuName, const QString& itemName) {
  return add({{}, {}, {}, menuName, itemName});
}

void ScriptedModals::runModal(Form& form) {
  shown_ << form.Name();
  if (script_.empty() || script_.front().isPopup() || !script_.front().matches(form)) {
    ADD_FAILURE() << "unexpected modal window " << form.Name().toStdString()
                  << (script_.empty() ? std::string(" (nothing was expected)")
                                      : " (expected " + (script_.front().isPopup() ? "pop-up menu " + script_.front().menuName.toStdString()
                                                                                    : script_.front().formName.toStdString()) + ")");
    form.Hide();
    return;
  }
  Step step = std::move(script_.front());
  script_.pop_front();
  {
    Form::HandlerScope scope(form);
    step.action(form);
  }
  if (form.isLoaded() && form.Visible()) {
    ADD_FAILURE() << "modal window " << form.Name().toStdString() << " is still up after its scripted action";
    form.Hide();
  }
}

MenuItem* ScriptedModals::runPopupMenu(Form& owner, Menu& menu) {
  (void)owner;
  shown_ << menu.Name();
  if (script_.empty() || !script_.front().isPopup() || script_.front().menuName != menu.Name()) {
    ADD_FAILURE() << "unexpected pop-up menu " << menu.Name().toStdString();
    return nullptr;
  }
  const QString itemName = script_.front().itemName;
  script_.pop_front();
  if (itemName.isEmpty()) return nullptr;
  MenuItem* item = menu.item(itemName);
  if (!item) ADD_FAILURE() << "pop-up menu " << menu.Name().toStdString() << " has no item " << itemName.toStdString();
  return item;
}

}  // namespace controls
