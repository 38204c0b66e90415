#include "clicommands.h"
#include "store/settingsstore.h"
#include "util/messages.h"
#include "util/translations.h"

#include <QCoreApplication>
#include <cstdio>
#include <sys/prctl.h>

int main(int argc, char* argv[])
{
    // Passwords pass through memory in plain text: no core dump, no ptrace
    // by other programs of the user.
    ::prctl(PR_SET_DUMPABLE, 0);
    QCoreApplication app(argc, argv);
    meridan::installTranslations();
    QCoreApplication::setApplicationName(QStringLiteral("meridan-cli"));
    meridan::StderrMessages toStderr;
    meridan::setMessages(&toStderr);
    QTextStream out(stdout);
    int status = meridan::cli::runCommand(app.arguments().mid(1), out);
    out.flush();
    // A command that read an unusable store saw nothing (or part) of it.
    if (status == 0 && meridan::SettingsStore::failedInThisRun())
        status = 1;
    return status;
}
