// ldat.qd reader: the scan and the look-up agree on every record.
#include <cstdlib>

#include "lyrics_database.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto records = store::decodeLyricsDatabase({data, size});
  if (!records.empty()) {
    const auto& first = records.front();
    if (store::findLyrics({data, size}, first.key) != first.text) std::abort();
  }
  return 0;
}
