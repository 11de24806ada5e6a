#pragma once
// The file work the commands of the main window share: the name test, the
// two-digit numbering, folders made, renames and copies that never replace a
// file, and the in-use test, each failing with store::StoreError and the
// description the commands show.

#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace album_files {

// The text without the blanks at its ends (only blanks, as the name rules
// count them).
QString trimBlanks(const QString& text);

// Whether `text` holds one of \ / : < > | and ", which no name and no
// password may hold.
bool holdsIllegalCharacter(const QString& text);

// Album, song and project names: refused when, with the blanks at both ends
// removed, they are empty, or when they hold an illegal character.
bool isLegalName(const QString& name);

// Why an album or song name (`what`: "album name", "song name") cannot go on
// the disc, in the words the project name's refusal uses: a character
// outside the Windows-1252 code page, or * or ?, which a disc's file system
// refuses in a name. Empty when it can.
std::optional<QString> discNameRefusal(const QString& name, std::string_view what);

// The two-digit place "01" to "30".
QString numberPrefix(int place);

// A numbered album folder or song file ("NN - name") with its number
// replaced by `number`: "02" and "03 - c.mp3" give "02 - c.mp3".
QString renumbered(const QString& number, const QString& entry);

// `folder` and `name` joined by setPath, as UTF-8.
std::string joined(const QString& folder, const QString& name);

// A song's lyrics file name: the song's name with "dat" in place of its
// last three characters ("mp3").
QString lyricsFileName(const QString& songFile);

// The in-use test of every path, in order; throws the first refusal. It
// refuses every entry that could not be renamed or deleted now, so that a
// command stops before it has changed anything.
void requireNotInUse(const std::vector<std::string>& paths);
// The in-use test of every entry below the folder `folder`; throws the first
// refusal.
void requireContentsNotInUse(const std::string& folder);

// Makes the folder `path`; one that exists already is refused.
void makeFolder(const std::string& path);
// Makes the folder `path`, and the folders above it, unless it exists.
void ensureFolder(const std::string& path);

// Deletes the file `name` of `folder`, a name the project data holds: only
// a plain file name, so that a damaged file never reaches outside the
// folder. A failure is stepped over.
void removeNamedFile(const std::string& folder, const QString& name);

// Copies `from` to `to`; an existing `to` is never replaced ("File already
// exists"), and a failed copy leaves nothing behind. The copy keeps the run
// bits of `from`: a launcher and a player copied stay runnable.
void copyNoReplace(const std::string& from, const std::string& to);

// Renames that belong together: each one never replaces a file, and when
// one fails, those done before it are undone, so that a project folder and
// its mirror (or a song and its lyrics) never part.
class RenameBatch {
 public:
  RenameBatch() = default;
  RenameBatch(const RenameBatch&) = delete;
  RenameBatch& operator=(const RenameBatch&) = delete;
  // Undoes every rename unless commit() was called.
  ~RenameBatch();

  // Throws store::StoreError when the rename fails, after the undo.
  void rename(const std::string& from, const std::string& to);
  // Renames `from` to `to` when `from` exists (an optional lyrics file).
  void renameIfPresent(const std::string& from, const std::string& to);
  void commit() { done_.clear(); }

 private:
  void undo();
  std::vector<std::pair<std::string, std::string>> done_;
};

}  // namespace album_files
