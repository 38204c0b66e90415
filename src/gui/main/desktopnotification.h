#pragma once

#include <QString>

namespace meridan {

// Tells the desktop through its notification service, when there is one;
// false when none answered.
bool notifyDesktop(const QString& title, const QString& body);

} // namespace meridan
