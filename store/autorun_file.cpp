#include "autorun_file.h"

#include <vector>

#include "file_io.h"
#include "store_error.h"

namespace store {
namespace {

constexpr std::size_t kLabelKeyLength = 8;  // "label = "

std::string dropCharacters(const std::string& utf8, std::size_t count) {
  std::size_t pos = 0;
  for (std::size_t i = 0; i < count && pos < utf8.size(); ++i) {
    ++pos;
    while (pos < utf8.size() && (static_cast<unsigned char>(utf8[pos]) & 0xC0) == 0x80) ++pos;
  }
  return utf8.substr(pos);
}

std::string iconLine(const std::string& iconFileName) { return "icon = " + iconFileName; }

}  // namespace

AutorunLines newProjectAutorun(const std::string& projectName) {
  return {"icon = QD.exe,0", "label = " + projectName, "open = " + projectName + ".exe"};
}

AutorunLines readAutorunLines(const std::filesystem::path& projectFolder, const std::string& projectName) {
  return readAutorunLines(projectFolder, newProjectAutorun(projectName));
}

AutorunLines readAutorunLines(const std::filesystem::path& projectFolder, const AutorunLines& missing) {
  AutorunLines lines = missing;
  std::vector<std::string> read;
  try {
    read = readTextLines(projectFolder / kAutorunFileName);
  } catch (const StoreError&) {
    return lines;
  }
  if (read.size() > 1) lines.icon = read[1];
  if (read.size() > 2) lines.label = read[2];
  if (read.size() > 3) lines.open = read[3];
  return lines;
}

std::string autorunLabel(const AutorunLines& lines) { return dropCharacters(lines.label, kLabelKeyLength); }

void writeAutorunFile(const std::filesystem::path& projectFolder, const AutorunLines& lines) {
  writeTextLines(projectFolder / kAutorunFileName, {"[autorun]", lines.icon, lines.label, lines.open},
                 "disc autorun file");
}

void writeAutorunForNewProject(const std::filesystem::path& projectFolder, const std::string& projectName) {
  writeAutorunFile(projectFolder, newProjectAutorun(projectName));
}

void rewriteAutorunIconCleared(const std::filesystem::path& projectFolder, const std::string& projectName) {
  AutorunLines lines = readAutorunLines(projectFolder, projectName);
  lines.icon = "icon = " + projectName + ".exe,0";
  lines.open = "open = " + projectName + ".exe";
  writeAutorunFile(projectFolder, lines);
}

void rewriteAutorunIconChosen(const std::filesystem::path& projectFolder, const std::string& projectName,
                              const std::string& iconFileName) {
  AutorunLines lines = readAutorunLines(projectFolder, projectName);
  lines.icon = iconLine(iconFileName);
  lines.open = "open = " + projectName + ".exe";
  writeAutorunFile(projectFolder, lines);
}

void rewriteAutorunLabel(const std::filesystem::path& projectFolder, const std::string& projectName,
                         const std::string& label, const std::string& projectIcon) {
  AutorunLines missing = newProjectAutorun(projectName);
  if (!projectIcon.empty()) missing.icon = iconLine(projectIcon);
  AutorunLines lines = readAutorunLines(projectFolder, missing);
  lines.label = "label = " + label;
  writeAutorunFile(projectFolder, lines);
}

}  // namespace store
