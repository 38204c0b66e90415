#pragma once

#include <QCoreApplication>
#include <QLocale>
#include <QString>

// The program's own texts: messages, captions and fixed names. One place for
// each so that every caller shows the same words.
namespace meridan::texts {

// The translation contexts of the core's messages, one for each folder:
// lupdate collects the calls Store::tr("...") and so on.
struct Common
{
    Q_DECLARE_TR_FUNCTIONS(Common)
};
struct Store
{
    Q_DECLARE_TR_FUNCTIONS(Store)
};
struct Analog
{
    Q_DECLARE_TR_FUNCTIONS(Analog)
};
struct Run
{
    Q_DECLARE_TR_FUNCTIONS(Run)
};
struct Remote
{
    Q_DECLARE_TR_FUNCTIONS(Remote)
};
struct Update
{
    Q_DECLARE_TR_FUNCTIONS(Update)
};
struct Report
{
    Q_DECLARE_TR_FUNCTIONS(Report)
};
struct Overview
{
    Q_DECLARE_TR_FUNCTIONS(Overview)
};

// What --version prints: the program, its version and its licence.
inline QString versionText(const QString& program)
{
    return Common::tr("%1 %2\nCopyright 2026 The Meridan developers.\nMeridan is free software "
                      "under the GNU General Public License, version 3 or later: you may share "
                      "and change it under its terms.\nThere is NO WARRANTY, to the extent "
                      "permitted by law.")
        .arg(program, QStringLiteral(MERIDAN_VERSION));
}

inline QString errorOpeningFile(const QString& path)
{
    return Common::tr("Error opening file %1").arg(path);
}
inline QString errorCreatingFile(const QString& path)
{
    return Common::tr("Error creating file %1").arg(path);
}
inline QString hostExists(const QString& name)
{
    return Common::tr("The host %1 exists already!").arg(name);
}
inline QString noSuchSite(const QString& name)
{
    return Common::tr("There is no Site named %1.").arg(name);
}
inline QString fileIsNotFolder(const QString& path)
{
    return Common::tr("%1 file exists, and is not a folder.").arg(path);
}
inline QString configurationMissing(const QString& path)
{
    return Common::tr("The configuration file %1 does not exist").arg(path);
}
inline QString askCreateFolder(const QString& path)
{
    return Common::tr("The folder %1 does not exist\nDo you want to create it?").arg(path);
}
inline QString cipherError(const QString& step, unsigned long code)
{
    return Common::tr("%1\nError #: %2").arg(step, QString::number(code, 16).toUpper());
}
inline QString inconsistentLogNaming()
{
    return Common::tr("Inconsistent log file naming.");
}
inline QString cannotFindAnalog()
{
    return Common::tr("Cannot find the Analog program. Please enter its path in the "
                      "Preferences dialog.");
}
inline QString allChoice()
{
    return Common::tr("(all)");
}
inline const QString newSiteName = QStringLiteral("NewWebSite");
inline const QString reportsFolderName = QStringLiteral("reports");
inline const QString logsFolderName = QStringLiteral("logs");
inline const QString cacheFolderName = QStringLiteral("cache");
// The kinds of period, day to year, by their letters; a periodicity code
// is its letter's place after the "-".
inline const QString periodKindLetters = QStringLiteral("DWMQHY");
inline const QString periodicityLetters = u'-' + periodKindLetters;
inline const QString programName = QStringLiteral("Meridan");

// The text with each control character as "?", so that a name from a
// server cannot break the line it is printed on.
inline QString printable(QString text)
{
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control)
            c = u'?';
    return text;
}

// A count of bytes in the user's locale: "64.0 MiB", "1000 bytes", "1,5 Kio".
inline QString dataSize(qint64 bytes)
{
    return QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeIecFormat);
}

} // namespace meridan::texts
