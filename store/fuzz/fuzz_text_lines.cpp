// Text files and the code page: any bytes split into lines and survive the
// conversion to UTF-8 and back unchanged.
#include <cstdlib>
#include <string>

#include "ansi_text.h"
#include "file_io.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::size_t kept = 0;
  for (const auto& line : store::splitLines(bytes)) {
    if (line.find_first_of("\r\n") != std::string::npos) std::abort();
    kept += line.size();
    auto back = runtime::toAnsi(runtime::fromAnsi(line));
    if (!back || *back != line) std::abort();
  }
  if (kept > size) std::abort();
  runtime::ansiLower(bytes);
  runtime::toAnsi(bytes);
  return 0;
}
