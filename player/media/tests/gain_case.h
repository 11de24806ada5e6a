#pragma once
// One row of a volume and balance table: the settings and the linear level
// each side should come out at.

namespace media_testing {

struct GainCase {
  int volume;
  int balance;
  float left;
  float right;
};

}  // namespace media_testing
