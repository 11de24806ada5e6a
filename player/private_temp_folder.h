#pragma once
// The folder a running player unpacks its pictures into: one of its own in
// the temporary folder. Each run makes a new one (mkdtemp: a name no other
// entry has, mode 0700, owned by this user), so two players running at once
// never load or delete each other's files, and nobody else can plant a file
// or a link in it. It goes, with what it holds, when the run ends.

#include <optional>
#include <string>

namespace player {

// How the name of every run's folder begins, the rest made unique by mkdtemp.
inline constexpr const char* kRunFolderPrefix = "Quendrel-";

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
};

}  // namespace player
