#pragma once
// The sample data files of the program folder, from which the first start
// builds the sample collection: qd.090, the pack file of its title, bottom
// and intro pictures; qd.091, its project data; and its four album pictures,
// qd.092 and qd.094 (GIF), qd.093 and qd.095 (JPEG).

#include <filesystem>

namespace sample_data {

// Writes the six files into `folder`, replacing any of the same names; the
// bytes are the same on every run. Throws std::runtime_error (or the store's
// error) when a file cannot be made.
void writeSampleData(const std::filesystem::path& folder);

}  // namespace sample_data
