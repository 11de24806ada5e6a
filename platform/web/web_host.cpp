#include "web/web_host.h"

#include <QRegularExpression>

#include <cstdlib>
#include <cstring>

#ifndef QUENDREL_CONFIGURED_WEB_HOST
#define QUENDREL_CONFIGURED_WEB_HOST ""
#endif

namespace platform {
namespace {

// A host written with a scheme or a closing "/" still names the host.
QString normalisedHost(QString host) {
  host = host.trimmed();
  for (const char* scheme : {"http://", "https://"})
    if (host.startsWith(QLatin1String(scheme), Qt::CaseInsensitive)) host.remove(0, int(std::strlen(scheme)));
  while (host.endsWith(QLatin1Char('/'))) host.chop(1);
  return host;
}

bool validPort(const QString& port) {
  if (port.isEmpty() || port.size() > 5) return false;
  for (QChar c : port)
    if (!c.isDigit() || c.unicode() > 127) return false;
  const int n = port.toInt();
  return n >= 1 && n <= 65535;
}

}  // namespace

QString configuredWebHost() { return normalisedHost(QString::fromUtf8(QUENDREL_CONFIGURED_WEB_HOST)); }

bool isLoopbackHost(const QString& host) {
  QString name = host;
  QString port;
  bool hasPort = false;
  if (name.startsWith(QLatin1Char('['))) {
    const int close = name.indexOf(QLatin1Char(']'));
    if (close < 0) return false;
    const QString rest = name.mid(close + 1);
    name = name.left(close + 1);
    if (!rest.isEmpty()) {
      if (!rest.startsWith(QLatin1Char(':'))) return false;
      hasPort = true;
      port = rest.mid(1);
    }
  } else {
    const int colon = name.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
      hasPort = true;
      port = name.mid(colon + 1);
      name = name.left(colon);
    }
  }
  if (hasPort && !validPort(port)) return false;
  if (name.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0) return true;
  if (name == QLatin1String("[::1]")) return true;
  static const QRegularExpression ipv4(QStringLiteral("^127\\.(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})$"));
  const auto match = ipv4.match(name);
  if (!match.hasMatch()) return false;
  for (int i = 1; i <= 3; ++i)
    if (match.captured(i).toInt() > 255) return false;
  return true;
}

QString webHost() {
  const char* override = std::getenv("QUENDREL_WEB_HOST");
  if (override && *override) {
    const QString host = normalisedHost(QString::fromLocal8Bit(override));
    if (isLoopbackHost(host)) return host;
  }
  return configuredWebHost();
}

QString webAddress(const QString& path) {
  const QString host = webHost();
  if (host.isEmpty()) return {};
  return QStringLiteral("http://") + host + path;
}

}  // namespace platform
