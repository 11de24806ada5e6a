#pragma once
// One bound on the memory that pictures take, for the whole program: what
// the pictures held now take, plus what the decode in progress will take at
// its peak, reckoned from the file's header before the decode starts. A
// picture keeps its part of the budget until its last copy goes, and it
// keeps what it is held at, not what its own size would take.

#include <QtGlobal>
#include <memory>

namespace controls {

// However much memory is free, the pictures of one program never take more
// than this together: 268 megapixels held, decoders' work included.
inline constexpr qint64 kPictureBudget = qint64(1) << 30;

// A part of the budget, given back when it is destroyed.
class PictureCharge {
 public:
  explicit PictureCharge(qint64 bytes);
  PictureCharge(const PictureCharge&) = delete;
  PictureCharge& operator=(const PictureCharge&) = delete;
  ~PictureCharge();

  qint64 bytes() const { return bytes_; }
  // Gives back all but `bytes` (no more than it holds): once a picture is
  // decoded it holds what it is kept at, no longer what decoding it took.
  void shrinkTo(qint64 bytes);

 private:
  qint64 bytes_;
};

// Takes `bytes` (at least 0) of the budget. Throws store::StoreError "Out of
// memory" when less is left.
std::shared_ptr<PictureCharge> chargePictureBudget(qint64 bytes);

// What is left of the budget now.
qint64 pictureBudgetLeft();

// The budget in force: kPictureBudget, or what the last setPictureBudget
// made it (tests make it small, so that a few small pictures fill it).
qint64 pictureBudget();
void setPictureBudget(qint64 bytes);

// a × b and a + b of sizes read from files, which may claim anything: the
// greatest qint64 when the result would not fit, so that a claim too big to
// count is always more than any budget. Arguments are not negative.
qint64 saturatingProduct(qint64 a, qint64 b);
qint64 saturatingSum(qint64 a, qint64 b);

}  // namespace controls
