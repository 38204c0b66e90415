#include "helppage.h"

#include "util/datapaths.h"
#include "util/messages.h"
#include "util/translations.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace meridan {

QString helpPagePath()
{
    // English is the page without a language in its name.
    for (const QString& language : translatedLanguages())
        if (const QString page = installedDataFile(u"help_%1.html"_s.arg(language));
            !page.isEmpty())
            return page;
    return installedDataFile(u"help.html"_s);
}

void openHelp()
{
    const QString page = helpPagePath();
    if (page.isEmpty())
        messages().error(QCoreApplication::translate(
                             "HelpPage", "The help pages are not installed in %1. Installing "
                                         "the program's package again brings them back.")
                             .arg(installedDataFolder()));
    else
        QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}

void addHelpKey(QWidget* window)
{
    auto* help = new QAction(window);
    help->setShortcut(QKeySequence::HelpContents);
    help->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(help, &QAction::triggered, window, &openHelp);
    window->addAction(help);
}

} // namespace meridan
