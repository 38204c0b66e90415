#include "messageboxes.h"

#include "util/texts.h"

#include <QApplication>
#include <QMessageBox>

namespace meridan {

void MessageBoxes::error(const QString& text)
{
    QMessageBox::warning(QApplication::activeWindow(), texts::programName, text);
}

bool MessageBoxes::ask(const QString& text)
{
    return QMessageBox::question(QApplication::activeWindow(), texts::programName, text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void MessageBoxes::beep()
{
    QApplication::beep();
}

} // namespace meridan
