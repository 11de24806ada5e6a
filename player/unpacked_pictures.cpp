#include "unpacked_pictures.h"

#include <algorithm>
#include <filesystem>
#include <new>

#include "ansi_text.h"
#include "file_io.h"
#include "pack_file.h"
#include "private_temp_folder.h"
#include "store_error.h"

namespace player {

void UnpackedPictures::unpack(const std::string& packPath, const std::string& folder, int recordLimit) {
  folder_ = folder;
  if (packPath.empty() || folder.empty()) return;
  store::Bytes bytes;
  try {
    bytes = store::readWholeFile(packPath);
  } catch (const store::StoreError&) {
    return;
  } catch (const std::bad_alloc&) {
    // A pack too big to be held cannot be read either.
    return;
  }
  int recordsRead = 0;
  store::forEachPackRecord(bytes, [&](const store::PackRecordView& record) {
    if (recordLimit > 0 && recordsRead >= recordLimit) return;
    ++recordsRead;
    // A member under the lock file's name would take the lock file's place.
    if (!store::isPlainFileName(record.memberName) || record.memberName == kRunFolderLockName) return;
    try {
      // Written whole before the folder can go, so that it goes with it.
      const auto hold = holdRunFolders();
      store::writeScratchFile(folder + record.memberName, record.memberData);
    } catch (const std::exception&) {
      return;
    }
    // A later member of the same name has replaced the earlier one's file.
    std::erase(names_, record.memberName);
    names_.push_back(record.memberName);
  });
}

std::optional<std::size_t> UnpackedPictures::indexOf(std::string_view name) const {
  if (name.empty()) return std::nullopt;
  const auto exact = std::find(names_.begin(), names_.end(), name);
  if (exact != names_.end()) return static_cast<std::size_t>(exact - names_.begin());
  const auto noCase = std::find_if(names_.begin(), names_.end(),
                                   [&](const std::string& n) { return runtime::ansiEqualNoCase(n, name); });
  if (noCase != names_.end()) return static_cast<std::size_t>(noCase - names_.begin());
  return std::nullopt;
}

std::optional<std::string> UnpackedPictures::find(std::string_view name) const {
  const auto index = indexOf(name);
  if (!index) return std::nullopt;
  return folder_ + names_[*index];
}

std::optional<controls::Picture> UnpackedPictures::take(std::string_view name, std::optional<QSizeF> shownAt) {
  return take(name, [&shownAt](const QString& file) {
    return shownAt ? controls::LoadPicture(file, *shownAt) : controls::LoadPicture(file);
  });
}

std::optional<controls::Picture> UnpackedPictures::takeForItsOwnWindow(std::string_view name) {
  return take(name, controls::LoadPictureForItsOwnWindow);
}

std::optional<controls::Picture> UnpackedPictures::take(std::string_view name,
                                                        const std::function<controls::Picture(const QString&)>& load) {
  const auto index = indexOf(name);
  if (!index) return std::nullopt;
  const std::string path = folder_ + names_[*index];
  std::optional<controls::Picture> picture;
  try {
    picture = load(QString::fromStdString(path));
  } catch (const store::StoreError&) {
  }
  std::error_code ec;
  std::filesystem::remove(path, ec);
  names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(*index));
  return picture;
}

void UnpackedPictures::discardRest() {
  for (const std::string& name : names_) {
    std::error_code ec;
    std::filesystem::remove(folder_ + name, ec);
  }
  names_.clear();
}

}  // namespace player
