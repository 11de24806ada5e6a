#include "text_helpers.h"

#include <QByteArray>
#include <QStringDecoder>
#include <string>

#include "ansi_text.h"
#include "path_helpers.h"

namespace ripper {

QString AddSlash(const QString& path) { return QString::fromStdString(store::EndSlash(path.toStdString())); }

QString BytesToStr(const std::uint8_t* bytes, std::size_t count) {
  QByteArray kept;
  for (std::size_t i = 0; i < count; ++i)
    if (bytes[i] != 0) kept.append(static_cast<char>(bytes[i]));
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString text = utf8.decode(kept);
  if (!utf8.hasError()) return text;
  return QString::fromStdString(runtime::fromAnsi(std::string(kept.constData(), static_cast<std::size_t>(kept.size()))));
}

}  // namespace ripper
