#pragma once
// Installs the disc's support files into the system folder and starts the
// player. Asks only its yes/no questions; the files still not installed when
// the table is done are reported once, and the installed marker is written
// only after every needed copy succeeded, so a failed install is tried again
// at the next start.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace setup {

namespace fs = std::filesystem;

// The last-write time of a file as a Windows file time (100 ns units since
// 1601-01-01); empty when the file cannot be examined.
std::optional<std::uint64_t> lastWriteFileTime(const fs::path& path);

class SupportFileInstaller {
 public:
  // Copies `from` to `to`, replacing it; throws store::StoreError.
  using Copier = std::function<void(const fs::path& from, const fs::path& to)>;

  // `systemDir` ends in "/"; sources are looked up in `discFolder`.
  SupportFileInstaller(std::string systemDir, fs::path discFolder);

  // Replaces the copy step (tests inject failures with it).
  void setCopier(Copier copier) { copier_ = std::move(copier); }

  // The whole installation, then the start of the player.
  void InstallSupportFiles(bool reinstall);

  // Whether one support file is copied: always when the target is missing;
  // otherwise only in reinstall mode, after the user agreed to replace a file
  // whose last-write time differs in its high 32 bits.
  bool ShouldInstall(const fs::path& targetPath, const fs::path& sourcePath, bool reinstall);

  // Starts qd.exe of the disc folder (found without regard to case), with the
  // disc folder as its working folder. After an install that failed, the
  // player is told so, and does not start Setup again. False when it could
  // not be started.
  bool startPlayer(bool installFailed = false);

 private:
  std::string systemDir_;
  fs::path discFolder_;
  Copier copier_;
};

}  // namespace setup
