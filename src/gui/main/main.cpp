#include "main/maindlg.h"
#include "main/messageboxes.h"
#include "util/texts.h"
#include "util/translations.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <cstdio>
#include <cstring>
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
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("%s\n", qPrintable(meridan::texts::versionText(QStringLiteral("meridan"))));
        return 0;
    }
    // Without a display Qt would abort; say why instead.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "meridan: there is no display to show a window on (neither DISPLAY "
                             "nor WAYLAND_DISPLAY is set); meridan-cli works without one.\n");
        return 1;
    }
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
