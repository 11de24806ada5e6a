#pragma once
// The folders a program finds itself in: App.Path and the temporary folder.

#include <QString>

namespace platform {

// App.Path: the folder of the path the program was started by, without a
// "/" at the end (but "/" itself for the root): for a link to the program,
// the link's folder; for a program found on PATH, the folder of its
// executable. Tests may set another one.
QString appPath();
// Replaces App.Path until it is set again; an empty path restores the real one.
void setAppPath(const QString& path);

// The user's temporary folder, ending in "/": $TMPDIR when it is set and not
// empty, else "/tmp/".
QString tempFolder();

}  // namespace platform
