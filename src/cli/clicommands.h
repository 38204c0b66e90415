#pragma once

#include <QStringList>
#include <QTextStream>

namespace meridan::cli {

// Exit status of a command.
enum ExitCode { kSuccess = 0, kFailure = 1, kUsage = 2 };

QString usageText();

// Runs one command line (without the program name); output goes to out,
// messages to the messages interface.
int runCommand(const QStringList& arguments, QTextStream& out);

} // namespace meridan::cli
