#pragma once

#include <QString>

class QWidget;

namespace meridan {

// The help page shipped with the program: the installed one, or the copy in
// the build folder for a program run from there; "" when there is none.
QString helpPagePath();

// Opens the help page in the desktop's browser, or says that there is none.
void openHelp();

// F1 opens the help from window, also while it is modal.
void addHelpKey(QWidget* window);

} // namespace meridan
