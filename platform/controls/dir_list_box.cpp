#include "dir_list_box.h"

#include <QDir>
#include <QListWidget>
#include <filesystem>

#include "folder_listing.h"
#include "folder_path.h"
#include "key_codes.h"

namespace controls {

namespace {

QString joined(const QString& folder, const QString& name) {
  return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

// The folders from the root down to `path`.
QStringList ancestorsOf(const QString& path) {
  QStringList chain{QStringLiteral("/")};
  for (const QString& part : path.split('/', Qt::SkipEmptyParts)) chain << joined(chain.last(), part);
  return chain;
}

}  // namespace

DirListBox::DirListBox(Container& parent, QString name)
    : ListControl(parent, std::move(name)), path_(cleanFolderPath({})) {
  Refresh();
}

void DirListBox::Refresh() {
  ancestors_ = ancestorsOf(path_);
  subfolders_.clear();
  for (const std::string& folder : store::listFolders(std::filesystem::path(path_.toStdString())))
    subfolders_ << joined(path_, QString::fromStdString(folder));

  // Each level is indented under the one above, as a tree.
  QStringList rows;
  const QString indent(2, ' ');
  for (qsizetype i = 0; i < ancestors_.size(); ++i)
    rows << indent.repeated(i) + (i == 0 ? QStringLiteral("/") : QFileInfo(ancestors_[i]).fileName());
  for (const QString& sub : subfolders_) rows << indent.repeated(ancestors_.size()) + QFileInfo(sub).fileName();
  showRows(rows, -static_cast<int>(ancestors_.size()));
}

QString DirListBox::entry(int index) const {
  if (index >= 0) return index < subfolders_.size() ? subfolders_[index] : QString();
  const qsizetype fromTop = ancestors_.size() + index;  // -1 is the last ancestor
  return fromTop >= 0 ? ancestors_[fromTop] : QString();
}

void DirListBox::setPath(const QString& path) {
  const QString folder = requireFolder(path);
  const bool changed = folder != path_;
  path_ = folder;
  Refresh();
  if (changed) raise(Change);
}

void DirListBox::userOpenedEntry(int index) {
  const QString folder = entry(index);
  if (!folder.isEmpty()) setPath(folder);
}

bool DirListBox::userKeyDown(int keyCode, int shift) {
  if (keyCode != vbKeyReturn) return ListControl::userKeyDown(keyCode, shift);
  userOpenedEntry(ListIndex());
  return true;
}

}  // namespace controls
