#pragma once
// Captions mark their access key with "&" ("&Details / Interface"); "&&"
// stands for an "&" itself.

#include <QString>

namespace controls {

// What a label shows for `caption`: the marks taken out.
QString withoutAccessMarks(const QString& caption);

}  // namespace controls
