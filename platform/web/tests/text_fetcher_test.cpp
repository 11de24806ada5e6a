#include "web/text_fetcher.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "web/fake_text_fetcher.h"
#include "web/web_host.h"
#include "system/scoped_environment.h"

namespace platform {
namespace {

// A loopback HTTP server for one test: answers every request with one
// status and body, or never answers.
class TinyHttpServer {
 public:
  TinyHttpServer() {
    if (!server_.listen(QHostAddress::LocalHost, 0)) ADD_FAILURE() << "cannot listen";
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { onData(socket); });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      }
    });
  }

  void respond(int status, const QByteArray& body) {
    status_ = status;
    body_ = body;
    silent_ = false;
  }
  void neverRespond() { silent_ = true; }

  QString host() const { return QStringLiteral("127.0.0.1:%1").arg(server_.serverPort()); }
  QString address(const QString& path) const { return "http://" + host() + path; }
  const QStringList& requestedPaths() const { return paths_; }

 private:
  void onData(QTcpSocket* socket) {
    QByteArray& buffer = buffers_[socket];
    buffer += socket->readAll();
    if (!buffer.contains("\r\n\r\n")) return;
    const QList<QByteArray> requestLine = buffer.left(buffer.indexOf("\r\n")).split(' ');
    paths_ << (requestLine.size() > 1 ? QString::fromLatin1(requestLine[1]) : QString());
    buffers_.erase(socket);
    if (silent_) return;
    const char* reason = status_ == 200 ? "OK" : status_ == 404 ? "Not Found" : "Error";
    QByteArray reply = "HTTP/1.1 " + QByteArray::number(status_) + " " + reason +
                       "\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(body_.size()) +
                       "\r\nConnection: close\r\n\r\n" + body_;
    socket->write(reply);
    socket->disconnectFromHost();
  }

  QTcpServer server_;
  std::map<QTcpSocket*, QByteArray> buffers_;
  QStringList paths_;
  int status_ = 200;
  QByteArray body_;
  bool silent_ = false;
};

TEST(TextFetcher, FetchesTheReplyText) {
  TinyHttpServer server;
  server.respond(200, "29128");
  const FetchResult result = QtTextFetcher().fetch(server.address(kUpdateCheckPath));
  EXPECT_TRUE(result.ok) << result.error.toStdString();
  EXPECT_EQ(result.text, "29128");
  EXPECT_EQ(server.requestedPaths(), QStringList{"/Utilities/Quendrel/newVersion.dat"});
}

TEST(TextFetcher, AnEmptyReplyIsNotAFailure) {
  TinyHttpServer server;
  server.respond(200, "");
  const FetchResult result = QtTextFetcher().fetch(server.address(kUpdateCheckPath));
  EXPECT_TRUE(result.ok) << result.error.toStdString();
  EXPECT_EQ(result.text, "");
}

TEST(TextFetcher, TheReplyIsReadInTheCodePage) {
  TinyHttpServer server;
  server.respond(200, "caf\xE9\r\n");
  const FetchResult result = QtTextFetcher().fetch(server.address("/x"));
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(result.text, QString::fromUtf8("café\r\n"));
}

TEST(TextFetcher, AnAddressWithoutSchemeIsHttp) {
  TinyHttpServer server;
  server.respond(200, "1");
  const FetchResult result = QtTextFetcher().fetch(server.host() + kUpdateCheckPath);
  EXPECT_TRUE(result.ok) << result.error.toStdString();
  EXPECT_EQ(result.text, "1");
}

TEST(TextFetcher, AnHttpErrorIsAFailure) {
  TinyHttpServer server;
  server.respond(404, "Not here");
  const FetchResult result = QtTextFetcher().fetch(server.address(kUpdateCheckPath));
  EXPECT_FALSE(result.ok);
  EXPECT_TRUE(result.text.isEmpty());
  EXPECT_TRUE(result.error.contains("404")) << result.error.toStdString();
}

TEST(TextFetcher, ARefusedConnectionIsAFailure) {
  quint16 port = 0;
  {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    port = probe.serverPort();
  }
  const FetchResult result = QtTextFetcher(5000).fetch(QStringLiteral("http://127.0.0.1:%1/x").arg(port));
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(result.error.isEmpty());
}

TEST(TextFetcher, NoReplyWithinTheLimitIsAFailure) {
  TinyHttpServer server;
  server.neverRespond();
  QElapsedTimer waited;
  waited.start();
  const FetchResult result = QtTextFetcher(300).fetch(server.address(kUpdateCheckPath));
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, "No reply within 300 ms");
  EXPECT_GE(waited.elapsed(), 250);
  EXPECT_LT(waited.elapsed(), 5000);
}

TEST(TextFetcher, NoAddressIsAFailure) {
  const FetchResult result = QtTextFetcher().fetch({});
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, "No web host is configured");
  EXPECT_FALSE(QtTextFetcher().fetch("http://").ok);
}

TEST(TextFetcher, TheInstalledFetcherFetchesFromTheWebHost) {
  TinyHttpServer server;
  server.respond(200, "29127");
  FetchResult result;
  {
    const ScopedEnvironmentVariable host("QUENDREL_WEB_HOST", server.host().toStdString());
    ASSERT_NE(dynamic_cast<QtTextFetcher*>(&textFetcher()), nullptr);
    result = fetchText(webAddress(kUpdateCheckPath));
  }
  EXPECT_TRUE(result.ok) << result.error.toStdString();
  EXPECT_EQ(result.text, "29127");
}

TEST(FakeTextFetcher, AnswersFromItsScriptAndRecordsTheAddresses) {
  ScopedFetcher fetcher;
  EXPECT_FALSE(fetchText("http://127.0.0.1/a").ok);
  fetcher->queueReply("29128");
  fetcher->queueFailure("No connection");
  fetcher->alwaysReply("");
  const FetchResult first = fetchText("http://127.0.0.1/b");
  EXPECT_TRUE(first.ok);
  EXPECT_EQ(first.text, "29128");
  const FetchResult second = fetchText("http://127.0.0.1/c");
  EXPECT_FALSE(second.ok);
  EXPECT_EQ(second.error, "No connection");
  const FetchResult third = fetchText("http://127.0.0.1/d");
  EXPECT_TRUE(third.ok);
  EXPECT_EQ(third.text, "");
  fetcher->alwaysFail();
  EXPECT_FALSE(fetchText("http://127.0.0.1/e").ok);
  EXPECT_EQ(fetcher->addresses(), (std::vector<QString>{"http://127.0.0.1/a", "http://127.0.0.1/b", "http://127.0.0.1/c",
                                                        "http://127.0.0.1/d", "http://127.0.0.1/e"}));
}

}  // namespace
}  // namespace platform
