#include "support_file_installer.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <set>

#include "dialogs/scripted_dialogs.h"
#include "file_io.h"
#include "store_error.h"
#include "support_file_table.h"
#include "system/recording_launcher.h"
#include "temp_folder.h"

using namespace setup;
using testing_support::readBytes;
using testing_support::TempFolder;
using testing_support::writeBytes;

namespace {

constexpr std::uint64_t kHigh = 1ull << 32;  // one step of the compared high part
constexpr std::uint64_t kFileTimeOfUnixEpoch = 116444736000000000ull;

// Sets the last-write time of `path` to a Windows file time.
void setFileTime(const fs::path& path, std::uint64_t fileTime) {
  const std::uint64_t units = fileTime - kFileTimeOfUnixEpoch;
  const struct timespec times[2] = {{0, UTIME_OMIT},
                                    {static_cast<time_t>(units / 10000000), static_cast<long>(units % 10000000) * 100}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

const QString kReinstallPrompt = "An Old Instalation Has been detected.\nReinstall ?";

QString agePrompt(const char* age) {
  return QString("The file that is about to be installed\n is %1 than the file that is currently installed on "
                 "your computer.\n Do you want to Install it anyway ?")
      .arg(age);
}

class SupportFileInstallerTest : public ::testing::Test {
 protected:
  SupportFileInstallerTest() : installer(sys.str() + "/", disc.path()) {
    for (const auto& f : supportFileTable) writeBytes(disc / std::string(f.source), "disc " + std::string(f.source));
    writeBytes(disc / "QD.exe", "player");
    installer.setCopier([this](const fs::path& from, const fs::path& to) {
      copied.push_back(to.filename().string());
      if (failing.count(from.filename().string())) throw store::StoreError("Permission denied");
      store::copyFileAtomically(from, to);
    });
  }

  std::set<std::string> installedNames() {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(sys.path())) names.insert(e.path().filename().string());
    return names;
  }

  void installEverything() {
    for (const auto& f : supportFileTable) store::copyFileAtomically(disc / std::string(f.source), sys / std::string(f.target));
  }

  TempFolder disc, sys;
  platform::ScopedDialogs dialogs;
  platform::ScopedLauncher launcher;
  SupportFileInstaller installer;
  std::vector<std::string> copied;
  std::set<std::string> failing;
};

}  // namespace

TEST_F(SupportFileInstallerTest, FirstRunCopiesEveryFileAndTheMarkerLast) {
  installer.InstallSupportFiles(false);
  EXPECT_EQ(installedNames().size(), 18u) << "eighteen names: VB6STKIT.DLL is in the table twice";
  EXPECT_EQ(copied.size(), 18u) << "the second VB6STKIT.DLL finds its target present";
  EXPECT_EQ(copied.back(), "RZ.LOG");
  EXPECT_EQ(readBytes(sys / "VB6STKIT.DLL"), "disc qd.020");
  EXPECT_EQ(readBytes(sys / "RZ.LOG"), "disc qd.019");
  EXPECT_TRUE(dialogs->shown().empty());
  ASSERT_EQ(launcher->started().size(), 1u);
  const auto& start = launcher->started()[0];
  EXPECT_EQ(start.program.toStdString(), (disc / "QD.exe").string()) << "qd.exe is found as QD.exe";
  EXPECT_EQ(start.workingDirectory.toStdString(), disc.str());
  EXPECT_TRUE(start.arguments.isEmpty());
  EXPECT_EQ(start.style, platform::WindowStyle::Normal);
  EXPECT_TRUE(start.environment.isEmpty());
}

TEST_F(SupportFileInstallerTest, LaterRunsOnlyStartThePlayer) {
  installer.InstallSupportFiles(false);
  fs::remove(sys / "msdxm.ocx");
  copied.clear();
  installer.InstallSupportFiles(false);
  EXPECT_TRUE(copied.empty()) << "with the marker present a missing file is not even looked at";
  EXPECT_FALSE(fs::exists(sys / "msdxm.ocx"));
  EXPECT_EQ(launcher->started().size(), 2u);
}

TEST_F(SupportFileInstallerTest, ReinstallAnsweredNoCopiesNothing) {
  installEverything();
  dialogs->expectMsgBox(kReinstallPrompt, platform::vbNo).withStyle(platform::vbYesNo).withTitle("Reinstall ?");
  installer.InstallSupportFiles(true);
  EXPECT_TRUE(copied.empty());
  EXPECT_TRUE(fs::exists(sys / "RZ.LOG"));
  EXPECT_EQ(launcher->started().size(), 1u);
}

TEST_F(SupportFileInstallerTest, ReinstallAsksAboutNewerAndOlderFilesOnly) {
  installEverything();
  const std::uint64_t base = 30000000 * kHigh;  // in 2009
  for (const auto& f : supportFileTable) {
    setFileTime(disc / std::string(f.source), base + 50);
    setFileTime(sys / std::string(f.target), base + 10);  // same high part: the same version
  }
  setFileTime(sys / "COMDLG32.OCX", base - kHigh);     // installed one is older: the disc's is newer
  setFileTime(sys / "msvcrt.dll", base + 2 * kHigh);   // installed one is newer
  writeBytes(sys / "scrrun.dll", "installed");
  setFileTime(sys / "scrrun.dll", base - 3 * kHigh);

  dialogs->expectMsgBox(kReinstallPrompt, platform::vbYes);
  dialogs->expectMsgBox(agePrompt("Newer"), platform::vbYes).withStyle(platform::vbYesNo).withTitle("COMDLG32.OCX");
  dialogs->expectMsgBox(agePrompt("Newer"), platform::vbNo).withTitle("scrrun.dll");
  dialogs->expectMsgBox(agePrompt("Older"), platform::vbNo).withTitle("msvcrt.dll");
  installer.InstallSupportFiles(true);

  EXPECT_EQ(copied, (std::vector<std::string>{"COMDLG32.OCX", "RZ.LOG"})) << "the marker was deleted, so it is copied again";
  EXPECT_EQ(readBytes(sys / "scrrun.dll"), "installed");
  EXPECT_TRUE(fs::exists(sys / "RZ.LOG"));
  EXPECT_EQ(launcher->started().size(), 1u);
}

TEST_F(SupportFileInstallerTest, AFailedCopyIsReportedOnceAndLeavesNoMarker) {
  failing = {"qd.015", "qd.041"};
  dialogs->expectMsgBox("These files could not be installed:\n"
                        "MSSTKPRP.DLL (qd.015): Permission denied\n"
                        "msdxm.ocx (qd.041): Permission denied\n"
                        "Setup will try again the next time it starts.",
                        platform::vbOK)
      .withStyle(platform::vbOKOnly | platform::vbCritical);
  installer.InstallSupportFiles(false);
  EXPECT_FALSE(fs::exists(sys / "RZ.LOG"));
  ASSERT_EQ(launcher->started().size(), 1u) << "the player still starts";
  EXPECT_EQ(launcher->started()[0].environment, QStringList{"QUENDREL_INSTALL_TRIED=1"})
      << "and is told not to start Setup again";

  failing.clear();
  copied.clear();
  installer.InstallSupportFiles(false);
  EXPECT_EQ(copied, (std::vector<std::string>{"MSSTKPRP.DLL", "msdxm.ocx", "RZ.LOG"}));
  EXPECT_EQ(installedNames().size(), 18u);
}

TEST_F(SupportFileInstallerTest, AMissingMarkerSourceMeansTheNextRunInstallsAgain) {
  fs::remove(disc / "qd.019");
  installer.setCopier(store::copyFileAtomically);
  dialogs->expectMsgBox("These files could not be installed:\nRZ.LOG (qd.019): File not found\n"
                        "Setup will try again the next time it starts.",
                        platform::vbOK);
  installer.InstallSupportFiles(false);
  EXPECT_FALSE(fs::exists(sys / "RZ.LOG"));
  EXPECT_EQ(installedNames().size(), 17u);
}

// Outside reinstall mode a target already there is kept as it is, whatever
// its date: the disc's copy is not compared with it, nor asked about.
TEST_F(SupportFileInstallerTest, FirstRunKeepsPresentTargetsOfAnyDateWithoutAsking) {
  const std::uint64_t base = 30000000 * kHigh;
  for (const auto& f : supportFileTable) setFileTime(disc / std::string(f.source), base);
  writeBytes(sys / "COMDLG32.OCX", "installed older");
  setFileTime(sys / "COMDLG32.OCX", base - 5 * kHigh);
  writeBytes(sys / "msvcrt.dll", "installed newer");
  setFileTime(sys / "msvcrt.dll", base + 5 * kHigh);
  installer.InstallSupportFiles(false);
  EXPECT_TRUE(dialogs->shown().empty());
  EXPECT_EQ(std::count(copied.begin(), copied.end(), "COMDLG32.OCX"), 0);
  EXPECT_EQ(std::count(copied.begin(), copied.end(), "msvcrt.dll"), 0);
  EXPECT_EQ(copied.size(), 16u) << "every other target, the marker last";
  EXPECT_EQ(readBytes(sys / "COMDLG32.OCX"), "installed older");
  EXPECT_EQ(readBytes(sys / "msvcrt.dll"), "installed newer");
  EXPECT_EQ(lastWriteFileTime(sys / "COMDLG32.OCX"), base - 5 * kHigh);
  EXPECT_EQ(readBytes(sys / "RZ.LOG"), "disc qd.019");
}

// VB6STKIT.DLL comes from qd.020 or, failing that, qd.027: the report names
// only what is still missing once the table is done, with every source that
// failed for it. The marker waits for an install without a failed copy.
TEST_F(SupportFileInstallerTest, ReportsOnlyTheTargetsStillMissingAtTheEnd) {
  struct Case {
    const char* name;
    std::vector<std::string> missing;  // sources not on the disc
    std::set<std::string> refused;     // sources whose copy is refused
    QString report;                    // "" for none
  };
  const Case cases[] = {
      {"the second source installs it", {"qd.020"}, {}, ""},
      {"both sources missing", {"qd.020", "qd.027"}, {}, "VB6STKIT.DLL (qd.020, qd.027): File not found"},
      {"both failing, each its own way",
       {"qd.020"},
       {"qd.027"},
       "VB6STKIT.DLL (qd.020): File not found; (qd.027): Permission denied"},
      {"another target missing", {"qd.020", "qd.001"}, {}, "COMDLG32.OCX (qd.001): File not found"},
  };
  // A machine without the support files, and a disc without `missing`.
  auto arrange = [this](const std::vector<std::string>& missing) {
    for (const auto& f : fs::directory_iterator(sys.path())) fs::remove(f.path());
    for (const auto& f : supportFileTable) writeBytes(disc / std::string(f.source), "disc " + std::string(f.source));
    for (const auto& name : missing) fs::remove(disc / name);
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    arrange(c.missing);
    failing = c.refused;
    launcher->clear();
    if (!c.report.isEmpty())
      dialogs->expectMsgBox("These files could not be installed:\n" + c.report +
                                "\nSetup will try again the next time it starts.",
                            platform::vbOK);
    installer.InstallSupportFiles(false);
    dialogs->verifyAllShown();
    EXPECT_FALSE(fs::exists(sys / "RZ.LOG"));
    ASSERT_EQ(launcher->started().size(), 1u);
    EXPECT_EQ(launcher->started()[0].environment, QStringList{"QUENDREL_INSTALL_TRIED=1"});
    if (c.report.isEmpty()) {
      EXPECT_EQ(readBytes(sys / "VB6STKIT.DLL"), "disc qd.027");
    }
  }
  EXPECT_EQ(dialogs->shown().size(), 3u);

  // With every target there, the next run writes the marker and nothing else.
  arrange({"qd.020"});
  failing.clear();
  installer.InstallSupportFiles(false);
  copied.clear();
  installer.InstallSupportFiles(false);
  EXPECT_EQ(copied, std::vector<std::string>{"RZ.LOG"});
  EXPECT_EQ(installedNames().size(), 18u);
}

TEST_F(SupportFileInstallerTest, PlayerNameIsFoundWithoutRegardToCase) {
  fs::remove(disc / "QD.exe");
  writeBytes(disc / "Qd.ExE", "player");
  EXPECT_TRUE(installer.startPlayer());
  EXPECT_EQ(launcher->started().back().program.toStdString(), (disc / "Qd.ExE").string());
  fs::remove(disc / "Qd.ExE");
  launcher->setFailing(true);
  EXPECT_FALSE(installer.startPlayer());
  EXPECT_EQ(launcher->started().back().program.toStdString(), (disc / "qd.exe").string());
}

TEST(SupportFileTimes, AreWindowsFileTimes) {
  TempFolder dir;
  writeBytes(dir / "f", "x");
  const struct timespec epoch[2] = {{0, UTIME_OMIT}, {0, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, (dir / "f").c_str(), epoch, 0), 0);
  EXPECT_EQ(lastWriteFileTime(dir / "f"), kFileTimeOfUnixEpoch);
  EXPECT_FALSE(lastWriteFileTime(dir / "missing").has_value());
}
