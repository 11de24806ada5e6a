#pragma once
// A fresh folder for one test, removed again afterwards.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "binary_io.h"

namespace testing_support {

class TempFolder {
 public:
  TempFolder() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "quendrel-test-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    path_ = tmpl;
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  std::string str() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

inline void writeBytes(const std::filesystem::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}

inline std::string readBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline store::Bytes toBytes(const std::string& s) { return store::Bytes(s.begin(), s.end()); }

inline std::string fromBytes(const store::Bytes& b) { return std::string(b.begin(), b.end()); }

// "03 00 C5" -> the three bytes.
inline std::string hex(const std::string& spaced) {
  std::string out, byte;
  std::istringstream in(spaced);
  while (in >> byte) out += static_cast<char>(std::stoi(byte, nullptr, 16));
  return out;
}

}  // namespace testing_support
