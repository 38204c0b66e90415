#include "messageboxes.h"

#include "util/texts.h"

#include <QApplication>
#include <QMessageBox>

namespace meridan {

void MessageBoxes::error(const QString& text)
{
    QMessageBox::warning(QApplication::activeWindow(), texts::programName, text);
}

bool MessageBoxes::ask(const QString& text, Question kind)
{
    if (kind == Question::DangerousYesNo) // Enter must not answer Yes
        return QMessageBox::question(QApplication::activeWindow(), texts::programName, text,
                                     QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    return QMessageBox::question(QApplication::activeWindow(), texts::programName, text,
                                 QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok) == QMessageBox::Ok;
}

void MessageBoxes::beep()
{
    QApplication::beep();
}

} // namespace meridan
