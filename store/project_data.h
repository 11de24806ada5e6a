#pragma once
// dat.qd, the project data file of every project folder: a magic number and
// eleven counted shifted texts (password, colour, icon, picture names, texts).

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "binary_io.h"

namespace store {

inline constexpr std::int32_t PROJECT_DATA_MAGIC = 623715;  // 0x00098463
inline constexpr const char* kProjectDataFileName = "dat.qd";

struct ProjectData {
  std::int32_t magic = PROJECT_DATA_MAGIC;  // 0 when the file is too short to hold it
  std::string passwordText;                 // empty: no password
  std::string colourRed;                    // number texts with their sign blank, " 128"
  std::string colourGreen;
  std::string colourBlue;
  std::string iconFile;       // relative to the project folder
  std::string initPicFile;    // member names of dop.qd
  std::string titlePicFile;
  std::string bottomPicFile;
  std::string projectTitle;
  std::string projectSubTitle;
  std::string infoText;

  bool operator==(const ProjectData&) const = default;
};

// The colour part as the file stores it: " 0", " 128", "-1".
std::string colourText(long value);
// The numeric value of a stored colour text.
double colourValue(const std::string& text);

// Throws StoreError naming the field that cannot be stored.
Bytes encodeProjectData(const ProjectData& data);
// Never fails: fields behind the end of a short file read as the empty text.
ProjectData decodeProjectData(std::span<const std::uint8_t> bytes);

void writeProjectData(const std::filesystem::path& path, const ProjectData& data);
// Throws StoreError when the file cannot be read.
ProjectData readProjectData(const std::filesystem::path& path);

}  // namespace store
