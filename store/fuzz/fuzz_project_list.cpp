// qdd.dat reader: whole entries only, and they survive a rewrite unchanged.
#include <cstdlib>

#include "project_list.h"
#include "store_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto entries = store::decodeProjectList({data, size});
  if (!entries.empty() && 2 + 4 * entries.size() > size) std::abort();  // an entry takes 4 bytes at least
  store::Bytes again = store::encodeProjectList(entries);
  if (store::decodeProjectList(again) != entries) std::abort();
  return 0;
}
