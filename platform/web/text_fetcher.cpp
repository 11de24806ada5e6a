#include "web/text_fetcher.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <string>

#include "ansi_text.h"
#include "web/web_host.h"

namespace platform {
namespace {

TextFetcher* installedFetcher = nullptr;

}  // namespace

FetchResult QtTextFetcher::fetch(const QString& given) {
  QString address = given.trimmed();
  if (address.isEmpty()) return FetchResult::failure(QStringLiteral("No web host is configured"));
  if (!address.contains(QStringLiteral("://"))) address.prepend(QStringLiteral("http://"));
  const QUrl url(address, QUrl::StrictMode);
  if (!url.isValid() || url.host().isEmpty())
    return FetchResult::failure(QStringLiteral("Not a web address: ") + given);
  if (!QCoreApplication::instance()) return FetchResult::failure(QStringLiteral("No application to fetch with"));

  QNetworkAccessManager manager;
  QString authority = url.host();
  if (url.host().contains(QLatin1Char(':'))) authority = QLatin1Char('[') + url.host() + QLatin1Char(']');
  if (url.port() > 0) authority += QLatin1Char(':') + QString::number(url.port());
  // A loopback host is always reached directly, whatever proxy is set.
  if (isLoopbackHost(authority)) manager.setProxy(QNetworkProxy::NoProxy);

  QNetworkRequest request(url);
  request.setTransferTimeout(0);  // our own limit below covers the whole fetch
  QNetworkReply* reply = manager.get(request);
  QEventLoop loop;
  QTimer limit;
  limit.setSingleShot(true);
  bool timedOut = false;
  QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
    timedOut = true;
    reply->abort();
    loop.quit();
  });
  limit.start(timeoutMs_);
  if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
  limit.stop();

  FetchResult result;
  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (timedOut) {
    result = FetchResult::failure(QStringLiteral("No reply within %1 ms").arg(timeoutMs_));
  } else if (reply->error() != QNetworkReply::NoError) {
    result = FetchResult::failure(status >= 400 ? QStringLiteral("HTTP %1: %2").arg(status).arg(reply->errorString())
                                                : reply->errorString());
  } else if (status >= 400) {
    result = FetchResult::failure(QStringLiteral("HTTP %1").arg(status));
  } else {
    const QByteArray bytes = reply->readAll();
    const std::string text = runtime::fromAnsi(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    result = FetchResult::success(QString::fromStdString(text));
  }
  delete reply;
  return result;
}

TextFetcher& textFetcher() {
  static QtTextFetcher real;
  return installedFetcher ? *installedFetcher : real;
}

void setTextFetcher(TextFetcher* fetcher) { installedFetcher = fetcher; }

FetchResult fetchText(const QString& address) { return textFetcher().fetch(address); }

}  // namespace platform
