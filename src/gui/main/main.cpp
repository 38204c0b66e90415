#include "main/maindlg.h"
#include "main/messageboxes.h"
#include "util/translations.h"

#include <QApplication>

int main(int argc, char* argv[])
{
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
