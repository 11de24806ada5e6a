#include "drive_list_box.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <algorithm>

#include "folder_listing.h"
#include "folder_path.h"
#include "store_error.h"

namespace controls {

namespace {

// Mount points in the mount table have blanks and tabs written as octal escapes.
QString unescapeMountPoint(const QString& field) {
  QString out;
  for (qsizetype i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      bool ok = false;
      const int code = field.mid(i + 1, 3).toInt(&ok, 8);
      if (ok) {
        out += QChar(code);
        i += 3;
        continue;
      }
    }
    out += field[i];
  }
  return out;
}

bool isRemovableMountPoint(const QString& point) {
  return point.startsWith("/media/") || point.startsWith("/run/media/") || point.startsWith("/mnt/");
}

bool holds(const QString& folder, const QString& path) {
  return folder == "/" || path == folder || path.startsWith(folder + '/');
}

// A combo box that reads the mounted media anew each time it opens.
class DriveCombo : public QComboBox {
 public:
  std::function<void()> aboutToOpen;

 protected:
  void showPopup() override {
    if (aboutToOpen) aboutToOpen();
    QComboBox::showPopup();
  }
};

}  // namespace

std::vector<DriveEntry> listDrives(const QString& mountsFile, const QString& home) {
  std::vector<DriveEntry> drives{{"/", "/ [System]"}};
  const QString homeFolder = cleanFolderPath(home.isEmpty() ? QDir::homePath() : home);
  if (homeFolder != "/") drives.push_back({homeFolder, homeFolder + " [Home]"});

  std::vector<std::string> media;
  QFile table(mountsFile);
  if (table.open(QIODevice::ReadOnly | QIODevice::Text)) {
    QTextStream in(&table);
    for (QString line = in.readLine(); !line.isNull(); line = in.readLine()) {
      const QStringList fields = line.split(' ', Qt::SkipEmptyParts);
      if (fields.size() < 2) continue;
      const QString point = cleanFolderPath(unescapeMountPoint(fields[1]));
      if (isRemovableMountPoint(point) && std::find(media.begin(), media.end(), point.toStdString()) == media.end())
        media.push_back(point.toStdString());
    }
  }
  std::sort(media.begin(), media.end(), store::nameOrderLess);
  for (const std::string& m : media) {
    const QString point = QString::fromStdString(m);
    drives.push_back({point, point + " [" + QFileInfo(point).fileName() + "]"});
  }
  return drives;
}

DriveListBox::DriveListBox(Container& parent, QString name)
    : Control(parent, std::move(name), new DriveCombo, Layer::Windowed) {
  auto* c = static_cast<DriveCombo*>(combo());
  c->aboutToOpen = [this] { Refresh(); };
  QObject::connect(c, &QComboBox::activated, c, [this](int index) {
    if (!quiet_) choose(index);
  });
  setDefaultColors(vbWindowBackground, vbWindowText);
  Move(0, 0, 1935, 315);
  Refresh();
}

QComboBox* DriveListBox::combo() const { return static_cast<QComboBox*>(widget()); }

void DriveListBox::setSources(const QString& mountsFile, const QString& home) {
  mountsFile_ = mountsFile;
  home_ = home;
  Refresh();
}

void DriveListBox::Refresh() {
  const QString current = listIndex_ >= 0 ? drives_[listIndex_].folder : cleanFolderPath({});
  drives_ = listDrives(mountsFile_, home_);
  quiet_ = true;
  combo()->clear();
  for (const DriveEntry& d : drives_) combo()->addItem(d.text);
  // The place that held the chosen folder, or else the one that holds it now.
  int best = 0;
  for (int i = 0; i < ListCount(); ++i)
    if (holds(drives_[i].folder, current) && drives_[i].folder.size() >= drives_[best].folder.size()) best = i;
  const bool changed = listIndex_ >= 0 && drives_[best].folder != current;
  listIndex_ = best;
  combo()->setCurrentIndex(best);
  quiet_ = false;
  if (changed) raise(Change);
}

QString DriveListBox::Drive() const { return listIndex_ >= 0 ? drives_[listIndex_].folder : QString(); }

QString DriveListBox::List(int index) const {
  return index >= 0 && index < ListCount() ? drives_[index].text : QString();
}

void DriveListBox::setDrive(const QString& path) {
  const QString wanted = cleanFolderPath(path);
  int best = -1;
  for (int i = 0; i < ListCount(); ++i)
    if (holds(drives_[i].folder, wanted) && (best < 0 || drives_[i].folder.size() > drives_[best].folder.size()))
      best = i;
  if (best < 0) throw store::StoreError("Device unavailable");
  setListIndex(best);
}

void DriveListBox::setListIndex(int index) {
  if (index < 0 || index >= ListCount()) throw store::StoreError("Invalid property value");
  if (!QFileInfo::exists(drives_[index].folder)) throw store::StoreError("Device unavailable");
  requireFolder(drives_[index].folder);
  choose(index);
}

void DriveListBox::choose(int index) {
  quiet_ = true;
  combo()->setCurrentIndex(index);
  quiet_ = false;
  if (index == listIndex_) return;
  listIndex_ = index;
  raise(Change);
}

bool DriveListBox::select(int index) {
  if (!acceptsUserInput() || index < 0 || index >= ListCount()) return false;
  combo()->setCurrentIndex(index);
  emit combo()->activated(index);
  return true;
}

}  // namespace controls
