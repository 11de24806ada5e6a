// dop.qd / cvrd.qd reader: records stay inside the bytes, and unpacking writes
// only plain names inside its target folder.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "pack_file.h"
#include "store_error.h"

namespace fs = std::filesystem;

namespace {

// The fuzzer's own folder in the temporary folder, made at the first input.
// libFuzzer ends a run that has reached its -runs or -max_total_time with
// exit(), which destroys this static object: the folder goes with the run.
struct WorkFolder {
  fs::path path = [] {
    std::string tmpl = (fs::temp_directory_path() / "quendrel-fuzz-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) std::abort();
    return fs::path(tmpl);
  }();
  ~WorkFolder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::size_t total = 0;
  store::forEachPackRecord({data, size}, [&](const store::PackRecordView& r) {
    if (r.memberData.data() < data || r.memberData.data() + r.memberData.size() > data + size) std::abort();
    total += r.memberData.size();
  });
  if (total > size) std::abort();

  static const WorkFolder work;
  const fs::path& root = work.path;
  // What the last input left; anything else in the folder stopped that run.
  fs::remove_all(root / "target");
  fs::remove(root / "p.qd");
  fs::create_directory(root / "target");
  { std::ofstream(root / "p.qd", std::ios::binary).write(reinterpret_cast<const char*>(data), size); }
  try {
    for (const auto& name : store::unpackFiles(root / "p.qd", root / "target"))
      if (!store::isPlainFileName(name)) std::abort();
  } catch (const store::StoreError&) {
  }
  for (const auto& e : fs::directory_iterator(root))
    if (e.path().filename() != "target" && e.path().filename() != "p.qd") std::abort();  // escaped the folder
  return 0;
}
