#pragma once
// The folder a running player unpacks its pictures into: one of its own in
// the temporary folder. Each run makes a new one (mkdtemp: a name no other
// entry has, mode 0700, owned by this user), so two players running at once
// never load or delete each other's files, and nobody else can plant a file
// or a link in it. It goes, with what it holds, when the run ends.
//
// A player killed outright (SIGKILL, a crash) cannot remove its folder. So
// that such a folder does not stay for ever, each holds a lock file that its
// player keeps locked (flock) while it runs; the kernel lets go of the lock
// when the process goes, however it goes. Making a run's folder first
// removes the folders of players that no longer run: those of this user,
// named with the prefix, holding a lock file that nobody holds. Nothing else
// in the temporary folder is ever touched.

#include <mutex>
#include <optional>
#include <string>

namespace player {

// How the name of every run's folder begins, the rest made unique by mkdtemp.
inline constexpr const char* kRunFolderPrefix = "Quendrel-";
// The lock file in every run's folder. No picture of a disc is unpacked
// under this name: it would take the lock file's place.
inline constexpr const char* kRunFolderLockName = "running.lock";

class RunFolder {
 public:
  RunFolder() = default;
  ~RunFolder() { remove(); }
  RunFolder(const RunFolder&) = delete;
  RunFolder& operator=(const RunFolder&) = delete;

  // The run's folder, made under `parent` on the first call; later calls
  // give the same one. Its path ending in "/", or empty when it cannot be
  // made (the next call tries again).
  std::optional<std::string> make(const std::string& parent);

  // The folder `name` in the run's folder (both made when missing), its path
  // ending in "/"; empty when either cannot be made.
  std::optional<std::string> makeSubfolder(const std::string& parent, const std::string& name);

  // The run's folder once made, else empty.
  const std::optional<std::string>& path() const { return path_; }

  // Removes the run's folder with all it holds (a link in it goes, not what
  // it points to); a later make() makes a new one.
  void remove();

 private:
  std::optional<std::string> path_;
  int lockFile_ = -1;
};

// While the lock it answers lives, no run's folder of this process is made
// or removed: a file written into one meanwhile is there when the folder
// goes, and goes with it. Held around every file written into a run's
// folder, for as short as the writing takes.
[[nodiscard]] std::unique_lock<std::mutex> holdRunFolders();

// Removes the folder of every run of this process now, from whatever thread,
// and keeps any other from being made or written into until the process
// ends: for a process about to end by a signal, while its window thread may
// be anywhere in its work. Nothing of this process uses a run's folder
// again afterwards (whatever tries waits for ever).
void removeRunFoldersForGood();

}  // namespace player
