#include "main/maindlg.h"
#include "main/messageboxes.h"
#include "util/translations.h"

#include <QApplication>
#include <sys/prctl.h>

int main(int argc, char* argv[])
{
    // Passwords pass through memory in plain text: no core dump, no ptrace
    // by other programs of the user.
    ::prctl(PR_SET_DUMPABLE, 0);
    QApplication app(argc, argv);
    meridan::installTranslations();
    QApplication::setApplicationName(QStringLiteral("Meridan"));
    QApplication::setApplicationVersion(QStringLiteral(MERIDAN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("meridan"));
    meridan::MessageBoxes boxes;
    meridan::setMessages(&boxes);
    meridan::CMainDlg window;
    window.show();
    return app.exec();
}
