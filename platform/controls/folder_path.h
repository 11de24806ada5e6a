#pragma once
// Folder paths as the file and folder list boxes keep them: absolute,
// without "." or "..", and without a trailing "/" except for the root.

#include <QString>

namespace controls {

// `path` made absolute (against the current folder) and clean.
QString cleanFolderPath(const QString& path);

// The folder `path` names, cleaned; throws store::StoreError with the
// system's description ("Path not found", "Permission denied") when it is
// not a folder that can be listed.
QString requireFolder(const QString& path);

}  // namespace controls
