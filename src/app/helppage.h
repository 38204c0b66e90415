#pragma once

#include <QString>

namespace meridan {

// The help page installed with the program (or the one of the source tree
// for a program run from its build folder).
QString helpPagePath();

} // namespace meridan
