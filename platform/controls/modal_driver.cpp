#include "modal_driver.h"

#include <QCursor>
#include <QEventLoop>
#include <QMenu>
#include <QScopeGuard>
#include <map>

#include "form.h"
#include "menu.h"

namespace controls {

namespace {

// The programs' driver: a nested event loop until the window goes, and a
// real pop-up menu at the pointer.
class EventLoopModalDriver : public ModalDriver {
 public:
  void runModal(Form& form) override {
    if (!form.Visible() || !form.isLoaded()) return;
    QEventLoop loop;
    const int wait = form.addModalEndCallback([&loop] { loop.quit(); });
    const auto stopWaiting = qScopeGuard([&] { form.removeModalEndCallback(wait); });
    loop.exec(QEventLoop::DialogExec);
  }

  MenuItem* runPopupMenu(Form& owner, Menu& menu) override {
    QMenu popup(owner.widget());
    std::map<QAction*, MenuItem*> items;
    for (MenuItem* item : menu.items()) {
      if (!item->Visible()) continue;
      if (item->Caption() == "-") {
        popup.addSeparator();
        continue;
      }
      QAction* action = popup.addAction(item->Caption());
      action->setEnabled(item->Enabled());
      action->setCheckable(item->Checked());
      action->setChecked(item->Checked());
      items[action] = item;
    }
    QAction* chosen = popup.exec(QCursor::pos());
    auto found = items.find(chosen);
    return found == items.end() ? nullptr : found->second;
  }
};

ModalDriver* installed = nullptr;

}  // namespace

ModalDriver& modalDriver() {
  static EventLoopModalDriver eventLoop;
  return installed ? *installed : eventLoop;
}

void setModalDriver(ModalDriver* driver) { installed = driver; }

ModalDriver* installedModalDriver() { return installed; }

}  // namespace controls
