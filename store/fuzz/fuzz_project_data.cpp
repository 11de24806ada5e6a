// dat.qd reader: any bytes decode without fault, and whatever decodes
// encodes back to a file that decodes to the same value.
#include <cstdlib>

#include "project_data.h"
#include "store_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  store::ProjectData d = store::decodeProjectData({data, size});
  try {
    store::Bytes again = store::encodeProjectData(d);
    if (!(store::decodeProjectData(again) == d)) std::abort();
  } catch (const store::StoreError&) {
    // A field the format cannot hold again (e.g. a magic-less file) is fine.
  }
  return 0;
}
