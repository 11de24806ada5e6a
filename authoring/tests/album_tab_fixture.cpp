#include "album_tab_fixture.h"

#include <fstream>
#include <iterator>

#include "folder_listing.h"
#include "runtime_rules.h"

namespace authoring_test {

namespace fs = std::filesystem;

std::string readAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << path;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeAll(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  EXPECT_TRUE(out.good()) << path;
}

void AlbumTabTest::SetUp() {
  QuietlyStartedWindow::SetUp();
  ASSERT_TRUE(elsewhere.isValid());
  const std::string name = "Rock";
  project = fs::path(elsewhere.path().toStdString()) / name;
  mirror = fakes.folder.handle() / name;
  fs::create_directories(project);
  fs::create_directories(mirror);
  form.sDirectory = QString::fromStdString(project.string());
  form.isPasswordCorrect = true;  // as opening a project without a password leaves it
  form.workDirectory = QString::fromStdString(mirror.string());
  form.lblProjectName.setCaption(QString::fromStdString(name));
  form.Dir4.setPath(form.sDirectory);
  form.EnableButtons(true);
  form.SSTab1.setTab(1);
  markCompiled();
}

void AlbumTabTest::addAlbums(const std::vector<std::string>& folderNames) {
  for (const std::string& album : folderNames) {
    fs::create_directory(project / album);
    fs::create_directory(mirror / album);
    form.List1.AddItem(QString::fromStdString(album));
  }
  form.Dir4.Refresh();
}

void AlbumTabTest::addSongs(const std::string& album, const std::vector<std::string>& songs) {
  for (const std::string& song : songs) writeAll(project / album / song, song);
  form.File4.Refresh();
}

void AlbumTabTest::selectAlbum(int index) { ASSERT_TRUE(form.List1.select(index)); }

fs::path AlbumTabTest::userFolder(const std::string& name, const std::vector<std::string>& names) {
  const fs::path folder = fs::path(elsewhere.path().toStdString()) / name;
  fs::create_directories(folder);
  for (const std::string& file : names) writeAll(folder / file, file);
  return folder;
}

void AlbumTabTest::pickFile(const fs::path& folder, const std::string& file) {
  expectPickerChoice(fakes.modals, folder, file);
}

void AlbumTabTest::pickAll(const fs::path& folder) {
  fakes.modals.expect<Dialog>([folder](Dialog& picker) {
    picker.Dir1.setPath(QString::fromStdString(folder.string()));
    EXPECT_TRUE(picker.AddAllButton.click());
  });
}

void AlbumTabTest::cancelPicker() { expectPickerChoice(fakes.modals, {}, ""); }

void AlbumTabTest::closePicker() {
  fakes.modals.expect<Dialog>([](Dialog& picker) { EXPECT_TRUE(picker.close()); });
}

std::vector<std::string> AlbumTabTest::folders(const fs::path& folder) { return store::listFolders(folder); }

std::vector<std::string> AlbumTabTest::files(const fs::path& folder) { return store::listFiles(folder); }

std::vector<std::string> AlbumTabTest::albumList() const {
  std::vector<std::string> entries;
  for (int i = 0; i < form.List1.ListCount(); ++i) entries.push_back(form.List1.List(i).toStdString());
  return entries;
}

std::vector<std::string> AlbumTabTest::songList() const {
  std::vector<std::string> entries;
  for (int i = 0; i < form.File4.ListCount(); ++i) entries.push_back(form.File4.List(i).toStdString());
  return entries;
}

void AlbumTabTest::expectMarkedChanged() {
  EXPECT_FALSE(form.cmdPreview.Enabled());
  EXPECT_TRUE(form.Command27.Enabled());
}

void AlbumTabTest::markCompiled() {
  form.cmdPreview.setEnabled(true);
  form.Command27.setEnabled(false);
}

std::vector<DiscNameCase> namesNoDiscCarries(const QString& what) {
  const QString notAllowed = QStringLiteral("The %1 cannot be stored: the character \"%2\" is not allowed in a file name.");
  return {
      {QString::fromUtf8("\u03a9mega"),
       QStringLiteral("The %1 cannot be stored: the character \"%2\" is not part of the Windows-1252 code page.")
           .arg(what, QString(QChar(0x03a9)))},
      {QStringLiteral("a*b"), notAllowed.arg(what, "*")},
      {QStringLiteral("what?"), notAllowed.arg(what, "?")},
  };
}

void RockAlbumTest::SetUp() {
  AlbumTabTest::SetUp();
  addAlbums({"01 - Jazz", "02 - Rock"});
  selectAlbum(1);
  markCompiled();
}

void RockAlbumTest::withSongs(const std::vector<std::string>& songs) {
  addSongs("02 - Rock", songs);
  selectAlbum(0);
  selectAlbum(1);
}

std::vector<std::string> numbered(int count) {
  std::vector<std::string> songs;
  for (int i = 1; i <= count; ++i) songs.push_back(runtime::twoDigits(i) + " - s" + std::to_string(i) + ".mp3");
  return songs;
}

}  // namespace authoring_test
