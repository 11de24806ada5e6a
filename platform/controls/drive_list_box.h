#pragma once
// A drive list box. On this platform the drives are the places a user
// starts from: the root folder, the home folder and the removable media
// mounted under /media, /run/media/<user> or /mnt. Drive is the chosen
// place's folder, ready to give to a folder list box's Path; Change comes
// with every change of Drive.

#include <QStringList>
#include <vector>

#include "control.h"

class QComboBox;

namespace controls {

struct DriveEntry {
  QString folder;  // "/", "/home/ann", "/media/ann/USB"
  QString text;    // what the list shows
};

// The places, in list order. `mounts` is a mount table in the format of
// /proc/self/mounts.
std::vector<DriveEntry> listDrives(const QString& mountsFile = QStringLiteral("/proc/self/mounts"),
                                   const QString& home = {});

class DriveListBox : public Control {
 public:
  DriveListBox(Container& parent, QString name);

  QString Drive() const;
  // Chooses the place that holds `path` (the longest folder that starts
  // it). Throws store::StoreError with the system's description
  // ("Device unavailable", "Permission denied") when that place cannot be
  // read; Drive then stays as it was.
  void setDrive(const QString& path);
  int ListCount() const { return static_cast<int>(drives_.size()); }
  QString List(int index) const;
  int ListIndex() const { return listIndex_; }
  void setListIndex(int index);
  // Reads the mounted media anew.
  void Refresh();

  std::function<void()> Change;

  // Test driver: the user opens the list and chooses entry `index`.
  bool select(int index);
  // Where the places come from (tests give a mount table and a home folder).
  void setSources(const QString& mountsFile, const QString& home);

 protected:
  QPalette::ColorRole backRole() const override { return QPalette::Base; }
  QPalette::ColorRole foreRole() const override { return QPalette::Text; }
  bool clicksOnRelease() const override { return false; }

 private:
  QComboBox* combo() const;
  void choose(int index);

  std::vector<DriveEntry> drives_;
  int listIndex_ = -1;
  QString mountsFile_ = QStringLiteral("/proc/self/mounts");
  QString home_;
  bool quiet_ = false;
};

}  // namespace controls
