#pragma once
// A menu that a window shows as a pop-up menu (Form::PopupMenu), with its
// items. The windows have no menu bars: a menu is never shown in one.
//
//     controls::Menu mnuPopup{*this, "mnuPopup"};
//     controls::MenuItem mnuChangeName{mnuPopup, "mnuChangeName", "Rename"};
//     mnuChangeName.Click = [this] { mnuChangeName_Click(); };

#include <QString>
#include <functional>
#include <vector>

namespace controls {

class Form;
class Menu;

class MenuItem {
 public:
  // A caption of "-" makes a separator.
  MenuItem(Menu& menu, QString name, QString caption);
  ~MenuItem();
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  const QString& Name() const { return name_; }
  const QString& Caption() const { return caption_; }
  void setCaption(const QString& caption) { caption_ = caption; }
  bool Enabled() const { return enabled_; }
  void setEnabled(bool enabled) { enabled_ = enabled; }
  bool Visible() const { return visible_; }
  void setVisible(bool visible) { visible_ = visible; }
  bool Checked() const { return checked_; }
  void setChecked(bool checked) { checked_ = checked; }

  std::function<void()> Click;

 private:
  Menu& menu_;
  QString name_;
  QString caption_;
  bool enabled_ = true;
  bool visible_ = true;
  bool checked_ = false;
};

class Menu {
 public:
  Menu(Form& form, QString name, QString caption = {});
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;

  const QString& Name() const { return name_; }
  const QString& Caption() const { return caption_; }
  Form& form() const { return form_; }
  const std::vector<MenuItem*>& items() const { return items_; }
  // The item called `name`; nullptr when there is none.
  MenuItem* item(const QString& name) const;

 private:
  friend class MenuItem;
  Form& form_;
  QString name_;
  QString caption_;
  std::vector<MenuItem*> items_;
};

}  // namespace controls
