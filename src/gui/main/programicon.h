#pragma once

#include <QIcon>

namespace meridan {

// The program's icon in every size it ships as PNG: no image plugin is
// needed to show it.
QIcon programIcon();

} // namespace meridan
