#pragma once
// The size of a project folder and its display in the size label.

#include <string>

namespace store {

// Bytes of a file, or of a folder with everything below it (links to folders
// are not followed); 0 when the path cannot be examined. Pending window
// events are let run after every folder entry.
double SizeOf(const std::string& fPath);

// Whole thousands of bytes with "," between groups of three: "1,234 KB".
std::string folderSizeText(double bytes);

}  // namespace store
