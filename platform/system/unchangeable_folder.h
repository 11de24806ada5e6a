#pragma once
// For tests: a folder whose entries nobody, root included, can add, remove or
// rename while this lives. It is made immutable where the file system and the
// rights allow it (as `chattr +i` does), else read-only, which holds for a
// user other than root. holds() says whether it worked, so that a test that
// needs such a folder can skip where it cannot have one.
//
//   platform::UnchangeableFolder locked(project);
//   if (!locked.holds()) GTEST_SKIP() << "no folder can be made unchangeable here";

#include <filesystem>

namespace platform {

class UnchangeableFolder {
 public:
  explicit UnchangeableFolder(std::filesystem::path folder);
  // The folder can be changed again.
  ~UnchangeableFolder();
  UnchangeableFolder(const UnchangeableFolder&) = delete;
  UnchangeableFolder& operator=(const UnchangeableFolder&) = delete;

  // True when no entry can be made in the folder now.
  bool holds() const;

 private:
  std::filesystem::path folder_;
  bool immutable_ = false;
  std::filesystem::perms perms_{};
};

}  // namespace platform
