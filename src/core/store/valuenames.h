#pragma once

#include <QString>

// The names of the values the store keeps, each written once. Names compare
// without regard to case (valueIs).
namespace meridan::values {

// A Site's own values, in the order a Site's record is stored.
inline const QString Url = QStringLiteral("Url");
inline const QString Root = QStringLiteral("Root");
inline const QString AnalogCommand = QStringLiteral("AnalogCommand");
inline const QString CfgDir = QStringLiteral("CfgDir");
inline const QString ReportsRoot = QStringLiteral("ReportsRoot");
inline const QString ImagePath = QStringLiteral("ImagePath");
inline const QString LogsDir = QStringLiteral("LogsDir");
inline const QString LogNameStruct = QStringLiteral("LogNameStruct");
inline const QString ErrorFile = QStringLiteral("ErrorFile");
inline const QString LogPeriodicity = QStringLiteral("LogPeriodicity");
inline const QString PostProcessCmd = QStringLiteral("PostProcessCmd");
inline const QString ReportOrder = QStringLiteral("ReportOrder"); // then "_D" ... "_Y"
inline const QString FTPUrl = QStringLiteral("FTPUrl");
inline const QString FTPUser = QStringLiteral("FTPUser");
inline const QString FTPAccess = QStringLiteral("FTPAccess");
inline const QString DefaultBase = QStringLiteral("DefaultBase");
inline const QString Output = QStringLiteral("Output");
inline const QString Language = QStringLiteral("Language");
inline const QString LangCode = QStringLiteral("LangCode");
// 1: plain ftp:// URLs must switch to TLS before logging in.
inline const QString FTPRequireTLS = QStringLiteral("FTPRequireTLS");
// The SHA-256 fingerprint of a server certificate trusted without a CA.
inline const QString FTPCertificate = QStringLiteral("FTPCertificate");
// The kinds of period an update keeps built: letters of "DWMQHY".
inline const QString KeepPeriods = QStringLiteral("KeepPeriods");
inline const QString CacheDir =
    QStringLiteral("CacheDir"); // a folder name in Root; empty reads as "cache"

// The Specific formats values of a Site, beside one value per listed month.
inline const QString LogFormatChanges = QStringLiteral("LogFormatChanges");
inline const QString LogSpecial = QStringLiteral("LogSpecial");

// When the Site's stored settings last changed (milliseconds since the
// epoch), kept for other tools that read the store.
inline const QString ChangeStamp = QStringLiteral("ChangeStamp");

// The preferences.
inline const QString AnalogPath = QStringLiteral("AnalogPath");
inline const QString TextEditor = QStringLiteral("TextEditor");
inline const QString CfgAscending = QStringLiteral("CfgAscending");
inline const QString ParallelBuilds = QStringLiteral("ParallelBuilds");
inline const QString MaxLogFileMiB = QStringLiteral("MaxLogFileMiB");
inline const QString OverviewFolder = QStringLiteral("OverviewFolder");

inline bool valueIs(const QString& name, const QString& wanted)
{
    return name.compare(wanted, Qt::CaseInsensitive) == 0;
}

} // namespace meridan::values
