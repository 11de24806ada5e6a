#pragma once
// A started main window with an open project on the album tab: the project
// folder and its mirror on disk, named in sDirectory, workDirectory,
// lblProjectName and Dir4, the project's commands on as opening leaves them.
// Albums and songs are made on disk directly; the picker's answers are
// scripted.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <string>
#include <vector>

#include "dialog.h"
#include "form5_test_support.h"

namespace authoring_test {

class AlbumTabTest : public QuietlyStartedWindow {
 protected:
  void SetUp() override;

  // Album folders in the project and the mirror, listed in List1 in this order.
  void addAlbums(const std::vector<std::string>& folderNames);
  // Songs (their bytes: their own names) in the album folder of the project.
  void addSongs(const std::string& album, const std::vector<std::string>& songs);
  // Selects album `index` as the user would.
  void selectAlbum(int index);
  // A folder of the user's own with these files, each holding its name.
  std::filesystem::path userFolder(const std::string& name, const std::vector<std::string>& files);

  // The next picker: in `folder`, the user takes `file` ("Add One"/"OK"),
  // the whole folder ("Add All", `file` empty), cancels or closes it.
  void pickFile(const std::filesystem::path& folder, const std::string& file);
  void pickAll(const std::filesystem::path& folder);
  void cancelPicker();
  void closePicker();

  // Names of the subfolders / files of a folder, in name order.
  static std::vector<std::string> folders(const std::filesystem::path& folder);
  static std::vector<std::string> files(const std::filesystem::path& folder);
  std::vector<std::string> albumList() const;
  std::vector<std::string> songList() const;

  // The project must be compiled again before it is run.
  void expectMarkedChanged();
  // cmdPreview on and Command27 off, as after a compile.
  void markCompiled();

  QTemporaryDir elsewhere;  // the project and the user's files
  std::filesystem::path project;
  std::filesystem::path mirror;
};

// Album and song names no disc can carry, each with the refusal the project
// name gets for such a text; `what` is "album name" or "song name".
struct DiscNameCase {
  QString name;
  QString refusal;
};
std::vector<DiscNameCase> namesNoDiscCarries(const QString& what);

// The album tab with two albums, "01 - Jazz" and "02 - Rock", the second
// selected, and the project compiled: where the song commands and the CD
// ripper put their songs.
class RockAlbumTest : public AlbumTabTest {
 protected:
  void SetUp() override;

  std::filesystem::path album() const { return project / "02 - Rock"; }
  std::filesystem::path lyrics() const { return mirror / "02 - Rock"; }
  // These songs in the album, listed in File4 as selecting the album lists them.
  void withSongs(const std::vector<std::string>& songs);
};

// Songs 01 - s1.mp3 to `count` - s`count`.mp3.
std::vector<std::string> numbered(int count);

std::string readAll(const std::filesystem::path& path);
void writeAll(const std::filesystem::path& path, const std::string& bytes);

}  // namespace authoring_test
