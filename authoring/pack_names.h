#pragma once
// The window keeps the member names of a pack file as QString memberSlots; the
// store packs from UTF-8 names.

#include <QString>
#include <string>
#include <vector>

inline std::vector<std::string> packNames(const std::vector<QString>& memberSlots) {
  std::vector<std::string> names;
  names.reserve(memberSlots.size());
  for (const QString& slot : memberSlots) names.push_back(slot.toStdString());
  return names;
}
