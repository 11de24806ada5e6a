#include "album_files.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "file_io.h"
#include "pack_file.h"
#include "path_helpers.h"
#include "runtime_rules.h"
#include "store_error.h"
#include "system/file_services.h"

namespace album_files {

QString trimBlanks(const QString& text) {
  qsizetype first = 0, last = text.size();
  while (first < last && text[first] == ' ') ++first;
  while (last > first && text[last - 1] == ' ') --last;
  return text.mid(first, last - first);
}

bool holdsIllegalCharacter(const QString& text) {
  for (const QChar c : QStringLiteral("\\/:<>|\""))
    if (text.contains(c)) return true;
  return false;
}

bool isLegalName(const QString& name) { return !trimBlanks(name).isEmpty() && !holdsIllegalCharacter(name); }

std::optional<QString> discNameRefusal(const QString& name, std::string_view what) {
  try {
    store::toAnsiOrThrow(name.toStdString(), what);
  } catch (const store::StoreError& e) {
    return QString::fromUtf8(e.what());
  }
  for (const QChar c : name)
    if (c == '*' || c == '?')
      return QStringLiteral("The %1 cannot be stored: the character \"%2\" is not allowed in a file name.")
          .arg(QString::fromUtf8(what.data(), static_cast<qsizetype>(what.size())), QString(c));
  return std::nullopt;
}

QString numberPrefix(int place) { return QString::fromStdString(runtime::twoDigits(place)); }

QString renumbered(const QString& number, const QString& entry) { return number + QStringLiteral(" - ") + entry.mid(5); }

std::string joined(const QString& folder, const QString& name) {
  return store::setPath(folder.toStdString(), name.toStdString());
}

QString lyricsFileName(const QString& songFile) { return songFile.left(songFile.size() - 3) + QStringLiteral("dat"); }

void requireNotInUse(const std::vector<std::string>& paths) {
  if (auto refused = platform::inUseTest(paths)) throw store::StoreError(*refused);
}

void requireContentsNotInUse(const std::string& folder) {
  if (auto refused = platform::inUseTestOfContents(folder)) throw store::StoreError(*refused);
}

void makeFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) != 0) throw store::StoreError(store::describeErrno(errno));
}

void ensureFolder(const std::string& path) {
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  if (ec) store::throwFileError(ec);
}

void removeNamedFile(const std::string& folder, const QString& name) {
  if (!store::isPlainFileName(name.toStdString())) return;
  std::error_code ignored;
  std::filesystem::remove(store::setPath(folder, name.toStdString()), ignored);
}

void copyNoReplace(const std::string& from, const std::string& to) {
  if (auto refused = platform::copyNoReplace(from, to)) throw store::StoreError(*refused);
}

RenameBatch::~RenameBatch() { undo(); }

void RenameBatch::rename(const std::string& from, const std::string& to) {
  if (auto refused = platform::renameNoReplace(from, to)) {
    undo();
    throw store::StoreError(*refused);
  }
  done_.emplace_back(from, to);
}

void RenameBatch::renameIfPresent(const std::string& from, const std::string& to) {
  if (store::FileExists(from)) rename(from, to);
}

void RenameBatch::undo() {
  for (auto it = done_.rbegin(); it != done_.rend(); ++it) platform::renameNoReplace(it->second, it->first);
  done_.clear();
}

}  // namespace album_files
