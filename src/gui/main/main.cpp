#include "main/maindlg.h"
#include "main/messageboxes.h"
#include "util/translations.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <sys/prctl.h>

namespace {

// Styles draw the focus frame only after the first Tab of a window; here
// keyboard users see where the focus is (the default button included) from
// the moment a window opens.
class FocusShownFromTheStart : public QObject
{
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && widget && widget->isWindow())
            widget->setAttribute(Qt::WA_KeyboardFocusChange);
        return false;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    // Passwords pass through memory in plain text: no core dump, no ptrace
    // by other programs of the user.
    ::prctl(PR_SET_DUMPABLE, 0);
    QApplication app(argc, argv);
    FocusShownFromTheStart focusShown;
    app.installEventFilter(&focusShown);
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
