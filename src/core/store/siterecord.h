#pragma once

#include "util/result.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

namespace meridan {

class StoreTransaction;
struct StoredValue;
struct StoreNode;

// Ids of the log periodicity choices; stored as they are.
enum LogPeriodicityId : quint32 {
    kLogHourly = 1017,
    kLogDaily = 1018,
    kLogWeekly = 1019,
    kLogMonthly = 1020,
    // logrotate's access.log, access.log.1, access.log.2.gz, ..., renumbered
    // every night: the scheme names the newest file, the others follow it.
    kLogNumbered = 1021,
};

constexpr int kReportOrderCount = 7;

// A log format in force from a month on: Analog's APACHELOGFORMAT when
// apache is set, LOGFORMAT otherwise.
struct FormatChange
{
    QString month; // yyyymm
    bool apache = false;
    QString format;
};

// A month whose configuration gets a user's file instead of LOGFILE lines.
struct SpecialMonth
{
    QString month; // yyyymm
    QString file;
};

// The stored form of special months, "month*file|...", row by row: the
// first "*" ends a month (a file name may hold more).
QList<SpecialMonth> parseSpecialMonths(const QString& stored);

// One stored value of a Site as text.
struct SiteValue
{
    QString name;
    QString text;
};

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
    QString FTPAccess; // plain text here; in the keyring or enciphered in the store
    QString DefaultBase;
    qint32 Output = 0;
    bool isNew = false;
    QString Language;
    QString LangCode;
    quint32 FTPRequireTLS = 0;
    QString FTPCertificate; // "AB:CD:..." or empty
    QString KeepPeriods;    // "DWMQHY" letters; empty reads as "M"
    QString CacheDir;       // Analog's cache files, beside CfgDir
    std::array<QString, kReportOrderCount> ReportOrder;
    // Kept in values of their own (see sitelists.h), loaded with the rest.
    QList<FormatChange> formatChanges; // latest first
    QList<SpecialMonth> specialMonths;

    SiteRecord() = default;
    // The stored Site of that name.
    explicit SiteRecord(const QString& storedName);

    // A record for a new Site named NewWebSite, NewWebSite(1), ... whichever
    // is free; nothing is stored.
    static SiteRecord NewSite();

    void DeriveDefaults();
    // A new Site renamed: the values that follow from the name (URL,
    // folders, naming scheme) and still hold what the name before derived
    // take the new name's; what the user typed stays.
    void FollowName();
    // Refused when a stored Site has this record's name.
    Result checkNameFree() const;
    void Load();
    // The stored Site of that name read in one go; refused when none is, or
    // the store cannot be read.
    static Expected<SiteRecord> loadStored(const QString& storedName);
    // The Site as its stored key holds it.
    static SiteRecord ofStored(const QString& storedName, const StoreNode& key);
    // How Save treats the Site's key as it finds it in the store.
    enum class SaveMode {
        Any,          // the desktop program: the record is what the user confirmed
        NewOnly,      // a new Site: refused when the name is taken
        ExistingOnly, // refused when the Site is no longer stored
    };
    // More to write in the same transaction, given the Site's key path.
    using StoreWork = std::function<bool(StoreTransaction& tx, const QString& keyPath)>;

    // Stores the record in one transaction, renaming its key (with every
    // value in it) when the name changed. (SaveSite also brings the default
    // base file up to date, as every save by the user does.) Refused, saying
    // why, when a value is refused, a rename clashes with another Site, the
    // mode refuses, or the store cannot be written; done with a note when no
    // keyring keeps the password.
    Result Save(SaveMode mode = SaveMode::Any, const StoreWork& alongside = {});
    // Stores only the values that differ from before, and only while the
    // Site is stored, so that changes of other values made meanwhile stay.
    Result SaveChanges(const SiteRecord& before, const StoreWork& alongside = {});

    // Why the password could not be loaded (the keyring did not answer), or
    // "" when it was.
    const QString& passwordProblem() const { return m_passwordProblem; }

    // Full paths of the Site's folders.
    QString cfgFolder() const;
    QString reportsFolder() const;
    QString cacheFolder() const;
    QString configFile(const QString& periodName) const;

    QString keyPath() const;
    static QString keyPathOf(const QString& siteName);

private:
    void loadFrom(const StoreNode* key); // null: nothing stored
    Result store(SaveMode mode, const std::optional<QList<SiteValue>>& before,
                 const StoreWork& alongside);
    // The password's stored form; with a note when no keyring keeps it.
    Expected<QString> storedPasswordForm(QString& note) const;
    // The stored forms of the values that differ from before (all without
    // before), the password's also in password; refused when the password
    // cannot be kept.
    Expected<QList<StoredValue>> valuesToStore(const std::optional<QList<SiteValue>>& before,
                                               std::optional<QString>& password,
                                               QString& note) const;
    // refusal says why the Site cannot be stored as mode asks.
    bool writeTo(StoreTransaction& tx, SaveMode mode, const QList<StoredValue>& values,
                 const StoreWork& alongside, QString& refusal) const;

    // The password as loaded and its stored form: a password left as it
    // was is written back as it stands, in the keyring or not.
    QString m_loadedPassword;
    QString m_storedPassword;
    QString m_passwordProblem;
};

// The stored Sites, sorted without regard to case.
Expected<QStringList> storedSiteNames();
// False too when the store cannot be read.
bool siteIsStored(const QString& siteName);
// Deletes the Site's stored settings; its files stay on disk.
Result deleteStoredSite(const QString& siteName);

// Refuses a name that cannot be a Site's name.
Result checkSiteName(const QString& siteName);

// The record's values in the order Save writes them, as text; FTPAccess is
// the plain password.
QList<SiteValue> siteValues(const SiteRecord& site);

// Sets one field named as in the store from text; numbers must be decimal.
// Unknown names are refused too.
Result setSiteField(SiteRecord& site, const QString& valueName, const QString& text);
bool isSiteFieldName(const QString& valueName);

QString reportOrderValueName(int index);

} // namespace meridan
