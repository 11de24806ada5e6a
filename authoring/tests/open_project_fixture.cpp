#include "open_project_fixture.h"

#include <QColor>
#include <QImage>
#include <cctype>
#include <fstream>
#include <iterator>

#include "autorun_file.h"
#include "dialog.h"
#include "file_io.h"
#include "folder_listing.h"
#include "pack_file.h"
#include "project_data.h"

namespace authoring_test {

namespace fs = std::filesystem;

std::vector<std::uint8_t> fileBytes(const fs::path& path) { return store::readWholeFile(path); }

std::string fileText(const fs::path& path) {
  const std::vector<std::uint8_t> bytes = fileBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

void writeFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  ASSERT_TRUE(out.good()) << path;
}

std::vector<PackedMember> packedMembers(const fs::path& packFile) {
  std::vector<PackedMember> members;
  const std::vector<std::uint8_t> bytes = fileBytes(packFile);
  store::forEachPackRecord(bytes, [&members](const store::PackRecordView& r) {
    members.push_back({r.memberCount, r.memberNumber, r.memberName, {r.memberData.begin(), r.memberData.end()}});
  });
  return members;
}

std::vector<std::string> fileNames(const fs::path& folder) { return store::listFiles(folder); }

void writePicture(const fs::path& path, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(QColor(40, 110, 200));
  std::string ext = path.extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext == ".gif") {
    // Qt reads gif but does not write it: a minimal one-pixel gif.
    static const unsigned char gif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00,
                                        0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00,
                                        0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
    writeFile(path, std::string(std::begin(gif), std::end(gif)));
    return;
  }
  const char* format = ext == ".bmp" ? "BMP" : ext == ".ico" ? "ICO" : "JPG";
  ASSERT_TRUE(image.save(QString::fromStdString(path.string()), format)) << path;
}

void OpenProjectTest::SetUp() {
  QuietlyStartedWindow::SetUp();
  form.SSTab1.setTab(2);  // the pictures and the icon
  ASSERT_TRUE(elsewhere.isValid());
  pictures = fs::path(elsewhere.path().toStdString()) / "pictures";
  fs::create_directory(pictures);
}

void OpenProjectTest::openProject(const std::string& name) {
  project = fs::path(elsewhere.path().toStdString()) / name;
  mirror = fakes.folder.handle() / name;
  fs::create_directories(project);
  fs::create_directories(mirror);
  store::writeProjectData(project / store::kProjectDataFileName, store::ProjectData{});
  store::writeAutorunForNewProject(project, name);
  form.sDirectory = QString::fromStdString(project.string());
  form.workDirectory = QString::fromStdString(mirror.string());
  form.lblProjectName.setCaption(QString::fromStdString(name));
  form.isPasswordCorrect = true;
  for (controls::Control* c : std::initializer_list<controls::Control*>{
           &form.Image2, &form.Image3, &form.Image4, &form.Command10, &form.Command12, &form.Command16,
           &form.Picture1, &form.Command9, &form.Command27, &form.Command5})
    c->setEnabled(true);
}

fs::path OpenProjectTest::addAlbum(const std::string& folderName) {
  fs::create_directory(project / folderName);
  fs::create_directory(mirror / folderName);
  form.List1.AddItem(QString::fromStdString(folderName));
  return mirror / folderName;
}

void OpenProjectTest::pickerAnswers(const fs::path& folder, const std::string& file) {
  expectPickerChoice(fakes.modals, folder, file);
}

}  // namespace authoring_test
