#pragma once
// A tabbed control: a row of tabs over pages. Controls are placed on a page
// (`SSTab1.page(1)` as their container) and show only while their tab is
// the current one; positions on a page are twips inside the page area.
// Tab is the current tab (0-based); Caption is the current tab's caption.

#include <memory>
#include <vector>

#include "control.h"

class QTabWidget;

namespace controls {

class SSTab;

// One page of a tabbed control.
class TabPage : public Container {
 public:
  TabPage(SSTab& tab, int number, QWidget* widget) : tab_(tab), number_(number), widget_(widget) {}
  QWidget* containerWidget() const override { return widget_; }
  Form& form() override;
  bool containerShowing() const override;
  bool containerEnabled() const override;

 private:
  SSTab& tab_;
  int number_;
  QWidget* widget_;
};

class SSTab : public Control {
 public:
  SSTab(Container& parent, QString name, int tabs = 3);
  ~SSTab() override;

  int Tabs() const { return static_cast<int>(pages_.size()); }
  int Tab() const { return tab_; }
  // Throws store::StoreError("Invalid property value") for a tab it lacks.
  void setTab(int tab);
  QString Caption() const { return TabCaption(tab_); }
  void setCaption(const QString& caption) { setTabCaption(tab_, caption); }
  QString TabCaption(int tab) const;
  void setTabCaption(int tab, const QString& caption);
  bool TabEnabled(int tab) const;
  void setTabEnabled(int tab, bool enabled);

  TabPage& page(int tab) { return *pages_.at(static_cast<std::size_t>(tab)); }

  // The current tab changed, by the user or the program; the argument is
  // the tab that was current before.
  std::function<void(int PreviousTab)> Click;

  // Test driver: the user clicks tab `tab`.
  bool selectTab(int tab);


 protected:
  bool clicksOnRelease() const override { return false; }

 private:
  QTabWidget* tabs() const;
  void changedTo(int tab);

  std::vector<std::unique_ptr<TabPage>> pages_;
  std::vector<QString> captions_;
  int tab_ = 0;
  bool quiet_ = false;
};

}  // namespace controls
