#include "main/maindlg.h"
#include "main/messageboxes.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Meridan"));
    QApplication::setApplicationVersion(QStringLiteral(MERIDAN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("meridan"));
    meridan::MessageBoxes boxes;
    meridan::setMessages(&boxes);
    meridan::CMainDlg window;
    window.show();
    return app.exec();
}
