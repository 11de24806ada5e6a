#pragma once
// A file list box: the files of the folder Path whose names match Pattern
// (several patterns separated by ";", matched without regard to case), in
// name order, hidden files left out. It lists as well when it is never
// shown, which is how the windows use it as a lister.

#include "list_control.h"

namespace controls {

class FileListBox : public ListControl {
 public:
  FileListBox(Container& parent, QString name);

  QString Path() const { return path_; }
  // Lists the folder anew (no file selected). Throws store::StoreError with
  // the system's description ("Path not found") when it cannot be listed;
  // Path then stays as it was.
  void setPath(const QString& path);
  QString Pattern() const { return pattern_; }
  void setPattern(const QString& pattern);
  // The selected file's name; empty when none is selected.
  QString FileName() const { return Text(); }
  // A name with a folder sets Path; a name with wildcards sets Pattern;
  // a plain name selects that file when it is listed.
  void setFileName(const QString& name);
  // Lists the folder anew; no file is selected afterwards.
  void Refresh();

  std::function<void()> PathChange;
  std::function<void()> PatternChange;

 private:
  QString path_;
  QString pattern_ = "*.*";
};

}  // namespace controls
