#include "player.h"

#include "form1.h"
#include "form2.h"
#include "form3.h"
#include "form4.h"

namespace player {
namespace {

template <typename F>
std::unique_ptr<controls::FormSlot<F>> slotFor(Player& player) {
  return std::make_unique<controls::FormSlot<F>>([&player] { return std::make_unique<F>(player); });
}

}  // namespace

Player::Player(MediaControlMaker makeMediaControl, EndHandler endHandler)
    : makeMediaControl_(std::move(makeMediaControl)),
      endHandler_(std::move(endHandler)),
      form4_(slotFor<Form4>(*this)),
      form3_(slotFor<Form3>(*this)),
      form2_(slotFor<Form2>(*this)),
      form1_(slotFor<Form1>(*this)) {
  if (!endHandler_) endHandler_ = [](EndReason) { controls::End(); };
}

Player::~Player() = default;

Form1& Player::form1() { return form1_->get(); }
Form2& Player::form2() { return form2_->get(); }
Form3& Player::form3() { return form3_->get(); }
Form4& Player::form4() { return form4_->get(); }
Form2* Player::loadedForm2() const { return form2_->ifLoaded(); }
Form3* Player::loadedForm3() const { return form3_->ifLoaded(); }
Form4* Player::loadedForm4() const { return form4_->ifLoaded(); }

// A window of the slot that is given up is destroyed as soon as none of its
// handlers runs any more, its own unload's included.
void Player::introGone() { form4_ = slotFor<Form4>(*this); }

void Player::endAtOnce(EndReason reason) {
  // The end handler may stop the process on the spot, with no destructor run.
  tempFolder_.remove();
  endReason_ = reason;
  endHandler_(reason);
}

}  // namespace player
