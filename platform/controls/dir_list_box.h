#pragma once
// A folder list box: the folders from the root down to Path, then Path's
// subfolders in name order (hidden ones left out). List(i) is a full path:
// List(-1) is Path itself, List(-2) its parent and so on up to the root, and
// List(0) to List(ListCount - 1) are the subfolders; ListCount counts the
// subfolders only. A click selects an entry (ListIndex, Click); a double
// click opens it: Path becomes that folder and Change follows. Return or the
// keypad's Enter opens the highlighted entry as a double click does.

#include "list_control.h"

namespace controls {

class DirListBox : public ListControl {
 public:
  DirListBox(Container& parent, QString name);

  QString Path() const { return path_; }
  // Shows `path` (ListIndex -1) and raises Change when it differs from the
  // folder shown before. Throws store::StoreError with the system's
  // description ("Path not found") when it cannot be listed; Path then
  // stays as it was.
  void setPath(const QString& path);
  // Lists Path anew.
  void Refresh();

  std::function<void()> Change;

 protected:
  int listCount() const override { return static_cast<int>(subfolders_.size()); }
  QString entry(int index) const override;
  void userOpenedEntry(int index) override;
  bool userKeyDown(int keyCode, int shift) override;

 private:
  QString path_;
  QStringList ancestors_;  // root first, Path last
  QStringList subfolders_;
};

}  // namespace controls
