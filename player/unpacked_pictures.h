#pragma once
// The members of a pack file that the player wrote into one of its
// temporary folders in this run. The player loads and deletes only these:
// a picture name from the project data that the pack did not bring is never
// opened, so a crafted disc can point the player neither at a file of the
// user's nor outside its own folder. Every member is deleted once it is
// loaded or known to be of no use, so that no run leaves a file behind.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "picture.h"

namespace player {

class UnpackedPictures {
 public:
  // Writes the members of the pack file at `packPath` into `folder` (a path
  // ending in "/"), each under its own name, and remembers them. Only plain
  // file names are written; a member that cannot be written is passed over,
  // and a pack that cannot be read unpacks nothing. `recordLimit` (0: none)
  // is the most records read, names or not.
  void unpack(const std::string& packPath, const std::string& folder, int recordLimit = 0);

  // The path of the member called `name` written in this run: the member of
  // exactly that name, else the first whose name equals it without regard
  // to case (dat.qd may name a member in another case). Empty when none.
  std::optional<std::string> find(std::string_view name) const;

  // The picture of member `name`, whose file is deleted and forgotten
  // whether it held a picture or not. Empty when there is no such member or
  // it holds no picture that can be read and held. With `shownAt` (twips)
  // the picture is for controls that only draw it stretched over at most
  // that size, and is kept no bigger than they show it.
  std::optional<controls::Picture> take(std::string_view name, std::optional<QSizeF> shownAt = std::nullopt);
  // The same for a picture that a window of its own size shows whole
  // (LoadPictureForItsOwnWindow).
  std::optional<controls::Picture> takeForItsOwnWindow(std::string_view name);

  // Deletes the files of the members not taken and forgets them.
  void discardRest();

  // The members still in the folder, in the order they were written.
  const std::vector<std::string>& names() const { return names_; }

 private:
  std::optional<std::size_t> indexOf(std::string_view name) const;
  std::optional<controls::Picture> take(std::string_view name,
                                        const std::function<controls::Picture(const QString&)>& load);

  std::string folder_;
  std::vector<std::string> names_;
};

}  // namespace player
