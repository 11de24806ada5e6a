#pragma once
// The update check's one synchronous download of a small text, behind an
// installable fetcher so that tests can answer it themselves.

#include <QString>

namespace platform {

// What a fetch gave: the text (possibly empty) or an error. A failure is
// never an empty text: check ok first.
struct FetchResult {
  bool ok = false;
  QString text;   // the reply, Windows-1252 decoded, when ok
  QString error;  // what went wrong, when not ok

  static FetchResult success(const QString& text) { return {true, text, {}}; }
  static FetchResult failure(const QString& error) { return {false, {}, error}; }
};

class TextFetcher {
 public:
  virtual ~TextFetcher() = default;
  // Fetches `address` ("http://host/path"; without a scheme, http is taken)
  // and waits for the whole reply.
  virtual FetchResult fetch(const QString& address) = 0;
};

// The real fetcher over Qt Network: a GET that waits at most `timeoutMs`
// (10 s by default) in a local event loop that takes no user input; no
// address, no connection, the time running out and an HTTP error (any
// status of 400 and more) are failures. Needs a QCoreApplication.
class QtTextFetcher : public TextFetcher {
 public:
  static constexpr int kDefaultTimeoutMs = 10000;
  explicit QtTextFetcher(int timeoutMs = kDefaultTimeoutMs) : timeoutMs_(timeoutMs) {}
  FetchResult fetch(const QString& address) override;

 private:
  int timeoutMs_;
};

// The installed fetcher; without one, a QtTextFetcher with the default limit.
TextFetcher& textFetcher();
void setTextFetcher(TextFetcher* fetcher);

// textFetcher().fetch(address): how the programs fetch.
FetchResult fetchText(const QString& address);

}  // namespace platform
