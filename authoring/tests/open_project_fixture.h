#pragma once
// A started main window with a project open, made on disk the way project
// creation leaves it: the project folder (dat.qd, AUTORUN.INF) and its
// mirror under the program folder's Handle, named in sDirectory,
// workDirectory and lblProjectName; the commands of the project's pictures,
// icon and build panel usable.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "form5_test_support.h"

namespace authoring_test {

// One record of a pack file as the store reads it back.
struct PackedMember {
  std::int32_t memberCount;
  std::int32_t memberNumber;
  std::string name;
  std::vector<std::uint8_t> data;
};

std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path);
std::string fileText(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);
std::vector<PackedMember> packedMembers(const std::filesystem::path& packFile);
// The names of the files of a folder's top level, in name order.
std::vector<std::string> fileNames(const std::filesystem::path& folder);
// A small picture file of the kind its name ends in (gif, bmp, jpg, jpeg, ico).
void writePicture(const std::filesystem::path& path, int width = 8, int height = 8);

class OpenProjectTest : public QuietlyStartedWindow {
 protected:
  void SetUp() override;

  // Makes the project `name` (folder, mirror, dat.qd, AUTORUN.INF) and opens it.
  void openProject(const std::string& name);
  // An album folder in the project folder and in the mirror, listed in List1.
  std::filesystem::path addAlbum(const std::string& folderName);

  // The picker's answer the next time it is shown: the file `file` of
  // `folder`, or Cancel when `file` is empty.
  void pickerAnswers(const std::filesystem::path& folder, const std::string& file);

  QTemporaryDir elsewhere;  // projects and the files the user picks
  std::filesystem::path project;
  std::filesystem::path mirror;
  std::filesystem::path pictures;  // a folder of the user's pictures
};

}  // namespace authoring_test
