#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace meridan {

// Ids of the log periodicity choices; stored as they are.
enum LogPeriodicityId : quint32 {
    kLogHourly = 1017,
    kLogDaily = 1018,
    kLogWeekly = 1019,
    kLogMonthly = 1020,
};

constexpr int kReportOrderCount = 7;

// The in-memory record of one Site. Field names follow the stored values.
class SiteRecord
{
public:
    QString keyName;
    QString name;
    QString Url;
    QString AnalogCommand;
    QString Root;
    QString CfgDir;
    QString ReportsRoot;
    QString ImagePath;
    QString LogsDir;
    QString ErrorFile;
    QString LogNameStruct;
    quint32 LogPeriodicity = 0;
    QString PostProcessCmd;
    QString FTPUrl;
    QString FTPUser;
    QString FTPAccess; // plain text here, enciphered in the store
    QString DefaultBase;
    qint32 Output = 0;
    bool isNew = false;
    QString Language;
    QString LangCode;
    std::array<QString, kReportOrderCount> ReportOrder;

    SiteRecord() = default;
    // The stored Site of that name.
    explicit SiteRecord(const QString& storedName);

    // A record for a new Site named NewWebSite, NewWebSite(1), ... whichever
    // is free; nothing is stored.
    static SiteRecord NewSite();

    void DeriveDefaults();
    // True (after saying so) when a stored Site has this record's name.
    bool NameExists() const;
    void Load();
    // Stores the record, renaming its key when the name changed, then
    // prepares its default base file. False (after a message) when the name
    // is refused, a rename clashes with another Site, or the store cannot be
    // written.
    bool Save();

    // Full paths of the Site's folders.
    QString cfgFolder() const;
    QString reportsFolder() const;
    QString configFile(const QString& periodName) const;

    QString keyPath() const;
    static QString keyPathOf(const QString& siteName);
};

// The stored Sites, sorted without regard to case.
QStringList storedSiteNames();
bool siteIsStored(const QString& siteName);
// Deletes the Site's stored settings; its files stay on disk.
bool deleteStoredSite(const QString& siteName);

// Why a name cannot be a Site's name, or "" when it can.
QString siteNameProblem(const QString& siteName);

// The record's values in the order Save writes them, as text; FTPAccess is
// the plain password.
struct SiteValue
{
    QString name;
    QString text;
};
QList<SiteValue> siteValues(const SiteRecord& site);

// Sets one field named as in the store from text; numbers must be decimal.
// Returns "" or why the text was refused. Unknown names are refused too.
QString setSiteField(SiteRecord& site, const QString& valueName, const QString& text);
bool isSiteFieldName(const QString& valueName);

QString reportOrderValueName(int index);

} // namespace meridan
