#include "display_names.h"

namespace player {

namespace {
constexpr int kNumberLength = 5;  // "NN - "
}

QString llCase(const QString& str) {
  QString cased = str;
  for (qsizetype i = 0; i < cased.size(); ++i) cased[i] = i == 0 ? cased[i].toUpper() : cased[i].toLower();
  return cased;
}

QString withoutNumber(const QString& name) { return name.size() < kNumberLength ? name : name.mid(kNumberLength); }

QString displayName(const QString& name) { return name.left(kNumberLength) + llCase(name.mid(kNumberLength)); }

}  // namespace player
