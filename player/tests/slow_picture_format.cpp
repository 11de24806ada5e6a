// A picture format for the tests of what a player does while a picture
// decodes for a long time, as a very big one does: Qt's image readers take
// it up from a folder of plugins that the test names (QT_PLUGIN_PATH). Its
// file holds the magic line, a path and a number of milliseconds, a line
// each. Decoding it makes a file at that path and then keeps the decoding
// thread busy computing for that long, before it answers a picture of 2 x 2
// pixels.

#include <QFile>
#include <QImage>
#include <QImageIOHandler>
#include <QImageIOPlugin>
#include <QIODevice>
#include <chrono>

namespace {

const QByteArray kMagic = "QUENDREL-TEST-SLOW-PICTURE\n";
constexpr QSize kSize(2, 2);

class SlowPictureHandler : public QImageIOHandler {
 public:
  static bool canRead(QIODevice* device) { return device && device->peek(kMagic.size()) == kMagic; }

  bool canRead() const override {
    if (!canRead(device())) return false;
    setFormat("slowpicture");
    return true;
  }

  bool read(QImage* image) override {
    const QList<QByteArray> lines = device()->readAll().split('\n');
    if (lines.size() < 3) return false;
    QFile marker(QString::fromUtf8(lines[1]));
    if (!marker.open(QIODevice::WriteOnly)) return false;
    marker.close();
    // Busy, not asleep: a decoder computes, and no signal wakes it early.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(lines[2].toLongLong());
    volatile unsigned long work = 0;
    while (std::chrono::steady_clock::now() < until)
      for (int i = 0; i < 10000; ++i) work = work + i;
    *image = QImage(kSize, QImage::Format_RGB32);
    image->fill(Qt::darkGreen);
    return true;
  }

  bool supportsOption(ImageOption option) const override { return option == Size; }
  QVariant option(ImageOption option) const override { return option == Size ? QVariant(kSize) : QVariant(); }
};

class SlowPicturePlugin : public QImageIOPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "slow_picture_format.json")

 public:
  Capabilities capabilities(QIODevice* device, const QByteArray& format) const override {
    if (format == "slowpicture") return CanRead;
    if (!format.isEmpty() || !device || !device->isOpen()) return {};
    return SlowPictureHandler::canRead(device) ? CanRead : Capabilities();
  }

  QImageIOHandler* create(QIODevice* device, const QByteArray& format) const override {
    auto* handler = new SlowPictureHandler;
    handler->setDevice(device);
    handler->setFormat(format);
    return handler;
  }
};

}  // namespace

#include "slow_picture_format.moc"
