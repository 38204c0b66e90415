#pragma once

#include <QString>

namespace meridan {

// The help page shipped with the program: the installed one, or the copy in
// the build folder for a program run from there; "" when there is none.
QString helpPagePath();

} // namespace meridan
