#pragma once
// Clearing the picture or icon files of a folder.

#include <string>

namespace store {

inline constexpr const char* kPicturePatterns = "*.gif;*.jpg;*.jpeg;*.bmp";

// With the empty pattern or kPicturePatterns: deletes every file whose name
// ends, without regard to case, in .jpg, .bmp, .gif or .jpeg. With "*.ico":
// every .ico file. Any other pattern deletes nothing. Throws StoreError when
// a deletion fails.
void deleteAllPics(const std::string& DirPath, std::string ext);

}  // namespace store
