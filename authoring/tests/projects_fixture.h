#pragma once
// A started main window over a program folder that holds small stand-ins
// for the templates (rodud.qd and rizodu.qd, both runnable, and a few
// qd.0NN files), with Dir1 at a location of its own where new projects go.
// Projects are made and opened the way the user does it, on the picker.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <string>
#include <vector>

#include "form5_test_support.h"
#include "project_data.h"
#include "window_input.h"

namespace authoring_test {

namespace fs = std::filesystem;

using Pairs = std::vector<std::pair<std::string, std::string>>;

class ProjectsTest : public QuietlyStartedWindow {
 protected:
  void SetUp() override;

  // The bytes of the templates, as the program folder holds them.
  static const std::vector<std::pair<std::string, std::string>>& templates();

  // Shows tab `tab`, so that the user can reach its controls.
  void onTab(int tab);
  // Types `name` into the name box and presses Build, with Dir1 at `where`
  // (the location when empty); expects the create to succeed.
  void create(const std::string& name, const fs::path& where = {});
  // Selects `name` in the open mode's list and presses Open; when the project
  // has a password, `answer` is typed in, and `refused` says it is wrong.
  void open(const std::string& name, const QString& answer = {}, bool refused = false);
  // The folder a project created at the location has.
  fs::path projectAt(const std::string& name) const { return location / name; }
  fs::path mirrorOf(const std::string& name) const { return fakes.folder.handle() / name; }

  // The project's files as the store reads them.
  static store::ProjectData dataOf(const fs::path& project);
  static std::string bytesOf(const fs::path& file);
  static void writeBytes(const fs::path& file, const std::string& bytes);
  // The store's refusal of a text holding Omega, which Windows-1252 lacks.
  static QString omegaRefusal(const char* what);
  // The list's (name, folder) pairs as qdd.dat holds them.
  Pairs listedProjects() const;

  // The user's create in new-project mode: a press on the name box, the
  // name typed, a press on Build; the box `says` (titled `title`) comes.
  void createWithTheMouse(const std::string& name, const QString& says = QStringLiteral("Created"),
                          const QString& title = QStringLiteral("Quendrel."));
  // Open mode, and a press on the picker's entry of `name`.
  void chooseWithTheMouse(const std::string& name);
  // Delete pressed on `name`, Yes to the question; `thenSays` is the box
  // that follows it, if any.
  void deleteWithTheMouse(const std::string& name, const char* thenSays = nullptr);
  // The picker's (name, folder) pairs.
  Pairs picker() const;
  // The pair of a project created at the location.
  std::pair<std::string, std::string> at(const std::string& name) const { return {name, projectAt(name).string()}; }

  QTemporaryDir place;
  fs::path location;  // where Dir1 points
  controls::WindowInput user{form};
};

}  // namespace authoring_test
