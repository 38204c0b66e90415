#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace meridan {

// Every file and folder chooser of the desktop program goes through here,
// so that a test can answer the next ones in advance instead of a person.
class FileDialogs
{
public:
    static QString openFile(QWidget* parent, const QString& title, const QString& start,
                            const QString& filter);
    static QString existingFolder(QWidget* parent, const QString& title, const QString& start);
    static QString saveFile(QWidget* parent, const QString& title, const QString& start,
                            const QString& filter);

    // The answers the next choosers give, in order, without showing
    // anything ("" is a Cancel). What each was asked is kept in asked().
    static void setNextAnswers(const QStringList& answers);
    static QStringList asked();
};

} // namespace meridan
