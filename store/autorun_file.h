#pragma once
// AUTORUN.INF of a project folder: "[autorun]", "icon = ...", "label = ...",
// "open = <project>.exe", each line ended by CR LF.

#include <filesystem>
#include <string>

namespace store {

inline constexpr const char* kAutorunFileName = "AUTORUN.INF";

struct AutorunLines {
  std::string icon;   // whole line 2, "icon = QD.exe,0"
  std::string label;  // whole line 3, "label = My Disc"
  std::string open;   // whole line 4, "open = Alpha.exe"
  bool operator==(const AutorunLines&) const = default;
};

// The lines a new project (or the sample project) starts with.
AutorunLines newProjectAutorun(const std::string& projectName);

// Lines 2 to 4 as the file holds them. A missing file, or one with fewer
// lines, gives the new-project line for each line it lacks, so that a
// rewrite always leaves four valid lines.
AutorunLines readAutorunLines(const std::filesystem::path& projectFolder, const std::string& projectName);
// The same, with each line the file lacks taken from `missing`.
AutorunLines readAutorunLines(const std::filesystem::path& projectFolder, const AutorunLines& missing);

// The CD label: line 3 without its first 8 characters ("label = ").
std::string autorunLabel(const AutorunLines& lines);

// Writes the four lines (Windows-1252, CR LF) atomically; throws StoreError.
void writeAutorunFile(const std::filesystem::path& projectFolder, const AutorunLines& lines);

// The writers of the commands that touch the file.
void writeAutorunForNewProject(const std::filesystem::path& projectFolder, const std::string& projectName);
// Icon cleared: the launcher's own icon; the label line kept.
void rewriteAutorunIconCleared(const std::filesystem::path& projectFolder, const std::string& projectName);
// Icon chosen: the icon file in the project folder; the label line kept.
void rewriteAutorunIconChosen(const std::filesystem::path& projectFolder, const std::string& projectName,
                              const std::string& iconFileName);
// New CD label: the icon and open lines kept. A missing icon line names
// `projectIcon`, the icon file of the project's own, when it has one.
void rewriteAutorunLabel(const std::filesystem::path& projectFolder, const std::string& projectName,
                         const std::string& label, const std::string& projectIcon = {});

}  // namespace store
