#include "picture_budget.h"

#include <algorithm>
#include <atomic>
#include <limits>

#include "store_error.h"

namespace controls {
namespace {

std::atomic<qint64> budget{kPictureBudget};
std::atomic<qint64> charged{0};

}  // namespace

PictureCharge::PictureCharge(qint64 bytes) : bytes_(std::max<qint64>(bytes, 0)) { charged += bytes_; }

PictureCharge::~PictureCharge() { charged -= bytes_; }

void PictureCharge::shrinkTo(qint64 bytes) {
  const qint64 kept = std::clamp<qint64>(bytes, 0, bytes_);
  charged -= bytes_ - kept;
  bytes_ = kept;
}

std::shared_ptr<PictureCharge> chargePictureBudget(qint64 bytes) {
  if (std::max<qint64>(bytes, 0) > pictureBudgetLeft()) throw store::StoreError("Out of memory");
  return std::make_shared<PictureCharge>(bytes);
}

qint64 pictureBudgetLeft() { return std::max<qint64>(budget - charged, 0); }

qint64 pictureBudget() { return budget; }

void setPictureBudget(qint64 bytes) { budget = std::max<qint64>(bytes, 0); }

qint64 saturatingProduct(qint64 a, qint64 b) {
  qint64 product = 0;
  return __builtin_mul_overflow(a, b, &product) ? std::numeric_limits<qint64>::max() : product;
}

qint64 saturatingSum(qint64 a, qint64 b) {
  qint64 sum = 0;
  return __builtin_add_overflow(a, b, &sum) ? std::numeric_limits<qint64>::max() : sum;
}

}  // namespace controls
