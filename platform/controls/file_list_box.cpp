#include "file_list_box.h"

#include <QListWidget>
#include <filesystem>

#include "folder_listing.h"
#include "folder_path.h"

namespace controls {

FileListBox::FileListBox(Container& parent, QString name)
    : ListControl(parent, std::move(name)), path_(cleanFolderPath({})) {
  Refresh();
}

void FileListBox::Refresh() {
  QStringList rows;
  const std::filesystem::path folder(path_.toStdString());
  for (const std::string& file : store::listFiles(folder, pattern_.toStdString()))
    rows << QString::fromStdString(file);
  showRows(rows);
}

void FileListBox::setPath(const QString& path) {
  const QString folder = requireFolder(path);
  const bool changed = folder != path_;
  path_ = folder;
  Refresh();
  if (changed) raise(PathChange);
}

void FileListBox::setPattern(const QString& pattern) {
  const bool changed = pattern != pattern_;
  pattern_ = pattern;
  Refresh();
  if (changed) raise(PatternChange);
}

void FileListBox::setFileName(const QString& name) {
  QString rest = name;
  const qsizetype slash = name.lastIndexOf('/');
  if (slash >= 0) {
    setPath(slash == 0 ? QStringLiteral("/") : name.left(slash));
    rest = name.mid(slash + 1);
  }
  if (rest.isEmpty()) return;
  if (rest.contains('*') || rest.contains('?')) {
    setPattern(rest);
    return;
  }
  for (int i = 0; i < ListCount(); ++i)
    if (List(i) == rest) {
      setListIndex(i);
      return;
    }
}

}  // namespace controls
