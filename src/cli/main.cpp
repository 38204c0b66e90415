#include "clicommands.h"
#include "util/messages.h"
#include "util/translations.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    meridan::installTranslations();
    QCoreApplication::setApplicationName(QStringLiteral("meridan-cli"));
    meridan::StderrMessages toStderr;
    meridan::setMessages(&toStderr);
    QTextStream out(stdout);
    const int status = meridan::cli::runCommand(app.arguments().mid(1), out);
    out.flush();
    return status;
}
