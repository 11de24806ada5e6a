// Writes the disc's support files qd.0NN into a folder. On Linux they carry
// no runtime; each is a short text naming itself and the file Setup installs
// it as, so the disc's table of files stays whole.
//   support_file_writer <folder> <version>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "support_file_table.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <folder> <version>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  for (const auto& file : setup::supportFileTable) {
    std::ofstream out(folder / std::string(file.source), std::ios::binary | std::ios::trunc);
    out << "Quendrel " << argv[2] << " support file " << file.source << ".\r\n"
        << "Setup installs it into the system folder as " << file.target << ".\r\n"
        << "On Linux it carries no runtime code; it keeps the disc's file table whole.\r\n";
    // What is buffered reaches the file only as it is closed, and so does a
    // full disk.
    out.close();
    if (!out) {
      std::fprintf(stderr, "cannot write %s\n", (folder / std::string(file.source)).c_str());
      return 1;
    }
  }
  return 0;
}
