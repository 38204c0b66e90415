#include "filedialogs.h"

#include <QFileDialog>
#include <optional>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

QStringList& scriptedAnswers()
{
    static QStringList answers;
    return answers;
}

QStringList& askedTitles()
{
    static QStringList titles;
    return titles;
}

// The scripted answer when one is waiting.
std::optional<QString> scripted(const QString& title)
{
    if (scriptedAnswers().isEmpty())
        return std::nullopt;
    askedTitles().append(title);
    return scriptedAnswers().takeFirst();
}

} // namespace

QString FileDialogs::openFile(QWidget* parent, const QString& title, const QString& start,
                              const QString& filter)
{
    if (const std::optional<QString> answer = scripted(title))
        return *answer;
    return QFileDialog::getOpenFileName(parent, title, start, filter);
}

QString FileDialogs::existingFolder(QWidget* parent, const QString& title, const QString& start)
{
    if (const std::optional<QString> answer = scripted(title))
        return *answer;
    return QFileDialog::getExistingDirectory(parent, title, start);
}

QString FileDialogs::saveFile(QWidget* parent, const QString& title, const QString& start,
                              const QString& filter)
{
    if (const std::optional<QString> answer = scripted(title))
        return *answer;
    return QFileDialog::getSaveFileName(parent, title, start, filter);
}

void FileDialogs::setNextAnswers(const QStringList& answers)
{
    scriptedAnswers() = answers;
    askedTitles().clear();
}

QStringList FileDialogs::asked()
{
    return askedTitles();
}

} // namespace meridan
