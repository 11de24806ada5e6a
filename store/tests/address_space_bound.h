#pragma once
// An address space bounded for a while to what the process uses now and a
// little more, so that an allocation beyond it fails however the system
// overcommits memory; the old bound comes back when this goes.

#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace testing_support {

// The sanitizers' allocators end the process on an allocation they cannot
// make, where the plain one fails it with std::bad_alloc.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
inline constexpr bool kAllocationsCanFail = false;
#else
inline constexpr bool kAllocationsCanFail = true;
#endif

class AddressSpaceBound {
 public:
  explicit AddressSpaceBound(std::uintmax_t headroom = std::uintmax_t(1) << 30) {
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    if (pages <= 0 || ::getrlimit(RLIMIT_AS, &old_) != 0) return;
    struct rlimit bounded = old_;
    bounded.rlim_cur = rlim_t(pages) * rlim_t(::sysconf(_SC_PAGESIZE)) + rlim_t(headroom);
    held_ = ::setrlimit(RLIMIT_AS, &bounded) == 0;
  }
  ~AddressSpaceBound() {
    if (held_) ::setrlimit(RLIMIT_AS, &old_);
  }
  AddressSpaceBound(const AddressSpaceBound&) = delete;
  AddressSpaceBound& operator=(const AddressSpaceBound&) = delete;

  bool held() const { return held_; }

 private:
  struct rlimit old_{};
  bool held_ = false;
};

// A sparse file of `size` bytes at `path`: it takes no room on the disk.
inline void writeSparseFile(const std::filesystem::path& path, std::uintmax_t size) {
  std::ofstream(path, std::ios::binary);
  std::filesystem::resize_file(path, size);
}

}  // namespace testing_support
