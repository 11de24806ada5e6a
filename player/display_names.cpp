#include "display_names.h"

namespace player {

namespace {
constexpr int kNumberLength = 5;     // "NN - "
constexpr int kExtensionLength = 4;  // ".mp3"
}

QString llCase(const QString& str) {
  QString cased = str;
  for (qsizetype i = 0; i < cased.size(); ++i) cased[i] = i == 0 ? cased[i].toUpper() : cased[i].toLower();
  return cased;
}

QString withoutNumber(const QString& name) { return name.size() < kNumberLength ? name : name.mid(kNumberLength); }

QString displayName(const QString& name) { return name.left(kNumberLength) + llCase(name.mid(kNumberLength)); }

bool isSongFile(const QString& file) {
  const QString extension = file.right(kExtensionLength).toLower();
  return extension == ".mp3" || extension == ".hts";
}

QString songTitle(const QString& file) { return isSongFile(file) ? file.chopped(kExtensionLength) : file; }

}  // namespace player
