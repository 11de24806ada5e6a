#include "ss_tab.h"

#include <QTabBar>
#include <QTabWidget>

#include "form.h"
#include "store_error.h"

namespace controls {

Form& TabPage::form() { return tab_.form(); }

bool TabPage::containerShowing() const {
  return tab_.Visible() && tab_.Tab() == number_ && tab_.parent().containerShowing();
}

bool TabPage::containerEnabled() const {
  return tab_.Enabled() && tab_.TabEnabled(number_) && tab_.parent().containerEnabled();
}

SSTab::SSTab(Container& parent, QString name, int tabs)
    : Control(parent, std::move(name), new QTabWidget, Layer::Windowed) {
  QTabWidget* t = this->tabs();
  for (int i = 0; i < tabs; ++i) {
    auto* pageWidget = new QWidget;
    pageWidget->setAutoFillBackground(true);
    captions_.push_back(QStringLiteral("Tab %1").arg(i));
    t->addTab(pageWidget, captions_.back());
    pages_.push_back(std::make_unique<TabPage>(*this, i, pageWidget));
  }
  adoptWidget(t->tabBar());
  QObject::connect(t, &QTabWidget::currentChanged, t, [this](int index) {
    if (!quiet_ && index >= 0) changedTo(index);
  });
  Move(0, 0, 4800, 3000);
}

SSTab::~SSTab() = default;

QTabWidget* SSTab::tabs() const { return static_cast<QTabWidget*>(widget()); }

void SSTab::setTab(int tab) {
  if (tab < 0 || tab >= Tabs()) throw store::StoreError("Invalid property value");
  quiet_ = true;
  tabs()->setCurrentIndex(tab);
  quiet_ = false;
  changedTo(tab);
}

void SSTab::changedTo(int tab) {
  if (tab == tab_) return;
  const int previous = tab_;
  tab_ = tab;
  if (Click) {
    Form::HandlerScope scope(form());
    Click(previous);
  }
}

QString SSTab::TabCaption(int tab) const {
  return tab >= 0 && tab < Tabs() ? captions_[static_cast<std::size_t>(tab)] : QString();
}

void SSTab::setTabCaption(int tab, const QString& caption) {
  if (tab < 0 || tab >= Tabs()) throw store::StoreError("Invalid property value");
  captions_[static_cast<std::size_t>(tab)] = caption;
  tabs()->setTabText(tab, caption);
}

bool SSTab::TabEnabled(int tab) const { return tabs()->isTabEnabled(tab); }

void SSTab::setTabEnabled(int tab, bool enabled) { tabs()->setTabEnabled(tab, enabled); }

bool SSTab::selectTab(int tab) {
  if (!acceptsUserInput() || tab < 0 || tab >= Tabs() || !TabEnabled(tab)) return false;
  tabs()->setCurrentIndex(tab);
  return true;
}

}  // namespace controls
