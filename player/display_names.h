#pragma once
// How the player shows the names of album folders and song files, which the
// authoring program writes as a two-digit number, " - " and the name.

#include <QString>

namespace player {

// The first character in upper case, the others in lower case; "" for "".
// Character by character, so that a name keeps its length.
QString llCase(const QString& str);

// The name without its number and " - " (its first five characters); a name
// too short to have them is shown whole.
QString withoutNumber(const QString& name);

// The first five characters as they are, then llCase of the rest:
// "03 - SUNDAY blues" is shown as "03 - Sunday blues".
QString displayName(const QString& name);

// Whether `file` names a song: it ends in ".mp3" or ".hts", in any case.
bool isSongFile(const QString& file);
// A song file's name without its extension; any other name as it is.
QString songTitle(const QString& file);

}  // namespace player
