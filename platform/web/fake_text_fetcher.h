#pragma once
// For tests: a fetcher that answers from a script and records every address.
// Queued answers go first, in order; when none is left, the standing answer
// (a failure "no reply scripted" until set) is given.
//
//   platform::ScopedFetcher fetcher;
//   fetcher->queueReply("29128");
//   fetcher->alwaysFail("No connection");

#include <deque>
#include <vector>

#include <QString>

#include "system/scoped_install.h"
#include "web/text_fetcher.h"

namespace platform {

class FakeTextFetcher : public TextFetcher {
 public:
  FetchResult fetch(const QString& address) override {
    addresses_.push_back(address);
    if (queued_.empty()) return standing_;
    FetchResult next = queued_.front();
    queued_.pop_front();
    return next;
  }

  void queueReply(const QString& text) { queued_.push_back(FetchResult::success(text)); }
  void queueFailure(const QString& error = QStringLiteral("No connection")) {
    queued_.push_back(FetchResult::failure(error));
  }
  void alwaysReply(const QString& text) { standing_ = FetchResult::success(text); }
  void alwaysFail(const QString& error = QStringLiteral("No connection")) { standing_ = FetchResult::failure(error); }

  // Every address asked for, in order.
  const std::vector<QString>& addresses() const { return addresses_; }

 private:
  std::deque<FetchResult> queued_;
  FetchResult standing_ = FetchResult::failure(QStringLiteral("FakeTextFetcher: no reply scripted"));
  std::vector<QString> addresses_;
};

using ScopedFetcher = ScopedInstall<TextFetcher, FakeTextFetcher, &textFetcher, &setTextFetcher>;

}  // namespace platform
