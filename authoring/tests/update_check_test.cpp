// The update check against a web host the test serves on the loopback
// interface, through the real fetcher.
#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTcpSocket>

#include "form5_test_support.h"

namespace authoring_test {
namespace {

// Answers every request with 200 and one body, and remembers the paths.
class LoopbackHost {
 public:
  explicit LoopbackHost(QByteArray body) : body_(std::move(body)) {
    EXPECT_TRUE(server_.listen(QHostAddress::LocalHost, 0));
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(*socket); });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      }
    });
  }
  QString host() const { return QStringLiteral("127.0.0.1:%1").arg(server_.serverPort()); }
  QStringList paths;

 private:
  void answer(QTcpSocket& socket) {
    QByteArray& request = pending_[&socket];
    request += socket.readAll();
    if (!request.contains("\r\n\r\n")) return;
    paths << QString::fromLatin1(request.split(' ').value(1));
    socket.write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\nContent-Length: " +
                 QByteArray::number(body_.size()) + "\r\n\r\n" + body_);
    socket.disconnectFromHost();
  }

  QTcpServer server_;
  QByteArray body_;
  std::map<QTcpSocket*, QByteArray> pending_;
};

TEST(UpdateCheck, OffersOnlyANewerVersion) {
  ASSERT_EQ(Form5::versionText(), "2.9.127");  // the current value is 29127
  struct Case {
    QByteArray reply;
    bool offered;
  };
  const Case cases[] = {{"29127", false}, {"29128", true}, {"", false}, {"abc", false}, {"29128\r\n", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reply.toStdString());
    Fakes fakes;
    platform::setTextFetcher(nullptr);  // the real one, over the network
    LoopbackHost server(c.reply);
    ScopedWebHost host(server.host());
    if (c.offered)
      fakes.dialogs->expectMsgBox("A new version is available.", platform::vbOK)
          .withStyle(platform::vbOKOnly)
          .withTitle("Quendrel");
    // Not a first start: Handle and a project list are there.
    std::filesystem::create_directory(fakes.folder.handle());
    fakes.folder.writeProjectList({});
    Form5 form;
    form.Load();
    EXPECT_EQ(server.paths, QStringList{"/Utilities/Quendrel/newVersion.dat"});
    EXPECT_EQ(fakes.dialogs->shown().size(), c.offered ? 1u : 0u);
    platform::setTextFetcher(&fakes.fetcher.get());
  }
}

}  // namespace
}  // namespace authoring_test
