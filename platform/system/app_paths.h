#pragma once
// The folders a program finds itself in: App.Path and the temporary folder.

#include <QString>

namespace platform {

// App.Path: the folder that holds the running program's executable, without
// a "/" at the end (but "/" itself for the root). Tests may set another one.
QString appPath();
// Replaces App.Path until it is set again; an empty path restores the real one.
void setAppPath(const QString& path);

// The user's temporary folder, ending in "/": $TMPDIR when it is set and not
// empty, else "/tmp/".
QString tempFolder();

}  // namespace platform
