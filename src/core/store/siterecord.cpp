#include "siterecord.h"

#include "store/passwordcipher.h"
#include "store/secretstore.h"
#include "store/settingsstore.h"
#include "store/siterules.h"
#include "store/valuenames.h"
#include "store/valuerules.h"
#include "util/files.h"
#include "util/texts.h"

#include <QDateTime>
#include <QDir>
#include <QSet>
#include <variant>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

StoredValue storedValue(const SiteRecord& site, const ValueRule& rule)
{
    return std::visit(
        [&](auto ref) -> StoredValue {
            using Ref = decltype(ref);
            if constexpr (std::is_same_v<Ref, int>)
                return {rule.valueName, site.ReportOrder[ref]};
            else if constexpr (std::is_same_v<Ref, QString SiteRecord::*>)
                return {rule.valueName, site.*ref};
            else
                return {rule.valueName, static_cast<quint32>(site.*ref)};
        },
        rule.field);
}

void loadField(SiteRecord& site, const ValueRule& rule, const StoreNode* key)
{
    const StoredValue* stored = key ? key->value(rule.valueName) : nullptr;
    std::visit(
        [&](auto ref) {
            using Ref = decltype(ref);
            if constexpr (std::is_same_v<Ref, int> || std::is_same_v<Ref, QString SiteRecord::*>) {
                QString text;
                if (stored && std::holds_alternative<QString>(stored->data))
                    text = std::get<QString>(stored->data);
                else if (stored)
                    text = QString::number(std::get<quint32>(stored->data));
                if constexpr (std::is_same_v<Ref, int>)
                    site.ReportOrder[ref] = text;
                else
                    site.*ref = text;
            } else {
                quint32 number = rule.missingNumber;
                if (stored && std::holds_alternative<quint32>(stored->data))
                    number = std::get<quint32>(stored->data);
                else if (stored) {
                    bool ok = false;
                    const quint32 parsed = std::get<QString>(stored->data).toUInt(&ok);
                    number = ok ? parsed : rule.missingNumber;
                }
                site.*ref = static_cast<std::remove_reference_t<decltype(site.*ref)>>(number);
            }
        },
        rule.field);
}

bool sameKeyName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString storedText(const StoreNode* key, const QString& name)
{
    return key ? key->text(name) : QString();
}

// Each month listed has a value of its own: "A" or "L" and the format.
QList<FormatChange> formatChangesOf(const StoreNode* key)
{
    QList<FormatChange> rows;
    for (const QString& month :
         storedText(key, values::LogFormatChanges).split(u'|', Qt::SkipEmptyParts)) {
        const QString value = storedText(key, month);
        rows.append({month, value.startsWith(u'A'), value.mid(1)});
    }
    return rows;
}

} // namespace

QList<SpecialMonth> parseSpecialMonths(const QString& stored)
{
    QList<SpecialMonth> rows;
    for (const QString& token : stored.split(u'|', Qt::SkipEmptyParts)) {
        const qsizetype star = token.indexOf(u'*');
        if (star < 0)
            rows.append({QString(), token});
        else
            rows.append({token.left(star), token.mid(star + 1)});
    }
    return rows;
}

QString reportOrderValueName(int index)
{
    if (index == 0)
        return values::ReportOrder;
    return values::ReportOrder + u'_' + texts::periodicityLetters.at(index);
}

SiteRecord::SiteRecord(const QString& storedName) : keyName(storedName), name(storedName)
{
    Load();
}

QString SiteRecord::keyPathOf(const QString& siteName)
{
    return kProductKey + u'\\' + siteName;
}

QString SiteRecord::keyPath() const
{
    return keyPathOf(name);
}

SiteRecord SiteRecord::NewSite()
{
    SiteRecord site;
    site.name = texts::newSiteName;
    for (int counter = 1; siteIsStored(site.name); ++counter)
        site.name = u"%1(%2)"_s.arg(texts::newSiteName).arg(counter);
    site.DeriveDefaults();
    site.isNew = true;
    return site;
}

void SiteRecord::DeriveDefaults()
{
    keyName = name;
    AnalogCommand = u"-G -g\"%CfgFile%\""_s;
    Url = u"www."_s + name;
    if (!name.contains(u'.'))
        Url += u".com"_s;
    Url = Url.toLower();
    Root = joinPath(QDir::homePath(), name) + u"/stats"_s;
    CfgDir = u"cfg"_s;
    CacheDir = texts::cacheFolderName;
    ReportsRoot = texts::reportsFolderName;
    ImagePath = u"images"_s;
    LogsDir = joinPath(Root, texts::logsFolderName);
    ErrorFile = u"errors.txt"_s;
    LogNameStruct = u"%yyyy%/www."_s + name + u"_%yyyy%%mm%%dd%.log.gz"_s;
    LogPeriodicity = kLogDaily;
    PostProcessCmd.clear();
    FTPUrl.clear();
    FTPUser.clear();
    FTPAccess.clear();
    DefaultBase = u"analog"_s;
    Output = 1;
    KeepPeriods = u"M"_s;
}

void SiteRecord::FollowName()
{
    SiteRecord before;
    before.name = keyName;
    before.DeriveDefaults();
    SiteRecord after;
    after.name = name;
    after.DeriveDefaults();
    for (QString SiteRecord::*value :
         {&SiteRecord::Url, &SiteRecord::Root, &SiteRecord::LogsDir, &SiteRecord::LogNameStruct})
        if (this->*value == before.*value)
            this->*value = after.*value;
    keyName = name;
}

Result SiteRecord::checkNameFree() const
{
    return siteIsStored(name) ? Result::refused(texts::hostExists(name)) : Result();
}

namespace {

// (Free functions: lupdate cannot place texts inside the record's class.)
QString keyringUnreadableText(const QString& siteName, const QString& why)
{
    return texts::Store::tr(
               "The FTP password of %1 is kept in the desktop's keyring, which cannot be read "
               "now: %2.")
        .arg(siteName, why);
}

QString noKeyringText(const QString& why)
{
    return texts::Store::tr("No desktop keyring keeps the FTP password (%1); it is stored "
                            "enciphered in the settings database.")
        .arg(why);
}

} // namespace

void SiteRecord::Load()
{
    const std::optional<StoreNode> key = SettingsStore::snapshot(keyPath());
    loadFrom(key ? &*key : nullptr);
}

Expected<SiteRecord> SiteRecord::loadStored(const QString& storedName)
{
    if (storedName.isEmpty())
        return Result::refused(texts::noSuchSite(storedName));
    const Expected<QList<std::optional<StoreNode>>> keys =
        SettingsStore::snapshots({keyPathOf(storedName)});
    if (!keys)
        return keys.result();
    if (!keys->first())
        return Result::refused(texts::noSuchSite(storedName));
    return ofStored(storedName, *keys->first());
}

SiteRecord SiteRecord::ofStored(const QString& storedName, const StoreNode& key)
{
    SiteRecord site;
    site.name = site.keyName = storedName;
    site.loadFrom(&key);
    return site;
}

void SiteRecord::loadFrom(const StoreNode* node)
{
    for (const ValueRule& rule : valueRules())
        loadField(*this, rule, node);
    formatChanges = formatChangesOf(node);
    specialMonths = parseSpecialMonths(storedText(node, values::LogSpecial));
    if (node && CacheDir.isEmpty())
        CacheDir = texts::cacheFolderName;
    m_storedPassword = std::exchange(FTPAccess, {});
    m_passwordProblem.clear();
    if (secrets::isReference(m_storedPassword)) {
        const Expected<QString> loaded = secrets::load(m_storedPassword);
        FTPAccess = loaded.valueOr({});
        if (!loaded)
            m_passwordProblem = keyringUnreadableText(name, loaded.message());
    } else if (!m_storedPassword.isEmpty()) {
        FTPAccess = decipherPassword(m_storedPassword);
    }
    m_loadedPassword = FTPAccess;
}

Expected<QString> SiteRecord::storedPasswordForm(QString& note) const
{
    // Unchanged (or unread: a keyring that did not answer) stays as stored.
    if (FTPAccess == m_loadedPassword && !m_storedPassword.isEmpty())
        return m_storedPassword;
    if (FTPAccess.isEmpty())
        return QString();
    if (!passwordFits(FTPAccess)) // the same rule with a keyring as without
        return encipherPassword(FTPAccess);
    const Expected<QString> reference = secrets::store(FTPAccess);
    if (reference)
        return reference;
    // Once a run and store: cron and servers have no keyring.
    static QSet<QString> told;
    if (const QString storePath = SettingsStore::filePath(); !told.contains(storePath)) {
        told.insert(storePath);
        note = noKeyringText(reference.message());
    }
    return encipherPassword(FTPAccess);
}

Result SiteRecord::Save(SaveMode mode, const StoreWork& alongside)
{
    return store(mode, std::nullopt, alongside);
}

Result SiteRecord::SaveChanges(const SiteRecord& before, const StoreWork& alongside)
{
    return store(SaveMode::ExistingOnly, siteValues(before), alongside);
}

Result SiteRecord::store(SaveMode mode, const std::optional<QList<SiteValue>>& before,
                         const StoreWork& alongside)
{
    if (Result checked = checkSite(*this); !checked)
        return checked;
    std::optional<QString> password; // written only when it changed
    QString note;
    const Expected<QList<StoredValue>> values = valuesToStore(before, password, note);
    if (!values)
        return values.result();
    // One transaction: the checks cannot go stale before the write, and a
    // rename never leaves the Site half-stored.
    QString refusal;
    const Result written = SettingsStore::write(
        [&](StoreTransaction& tx) { return writeTo(tx, mode, *values, alongside, refusal); });
    // Of two keyring entries, the one the store does not name goes.
    if (password && *password != m_storedPassword)
        secrets::remove(written ? std::exchange(m_storedPassword, *password) : *password);
    if (!written)
        return refusal.isEmpty() ? written : Result::refused(refusal);
    m_loadedPassword = FTPAccess;
    keyName = name;
    isNew = false;
    return Result::doneWith(note);
}

Expected<QList<StoredValue>>
SiteRecord::valuesToStore(const std::optional<QList<SiteValue>>& before,
                          std::optional<QString>& password, QString& note) const
{
    QList<StoredValue> values;
    const QList<SiteValue> now = siteValues(*this);
    for (qsizetype i = 0; i < valueRules().size(); ++i) {
        const ValueRule& rule = valueRules().at(i);
        if (before && before->at(i).text == now.at(i).text)
            continue; // only what changed: a concurrent change of another value stays
        if (rule.valueName != values::FTPAccess) {
            values.append(storedValue(*this, rule));
            continue;
        }
        const Expected<QString> stored = storedPasswordForm(note);
        if (!stored)
            return stored.result();
        password = *stored;
        values.append({values::FTPAccess, *password});
    }
    return values;
}

bool SiteRecord::writeTo(StoreTransaction& tx, SaveMode mode, const QList<StoredValue>& values,
                         const StoreWork& alongside, QString& refusal) const
{
    const bool renaming = !isNew && name != keyName;
    const QString path = keyPath();
    const QString storedPath = keyPathOf(isNew ? name : keyName);
    const bool stored = tx.keyExists(storedPath);
    const bool nameTaken = !sameKeyName(name, keyName) && tx.keyExists(path);
    if ((mode == SaveMode::NewOnly && tx.keyExists(path)) || (renaming && nameTaken)) {
        refusal = texts::hostExists(name);
        return false;
    }
    if (mode == SaveMode::ExistingOnly && !stored) {
        refusal = texts::noSuchSite(isNew ? name : keyName);
        return false;
    }
    // A renamed key keeps every value, the Specific formats ones too.
    if (renaming && stored && !tx.renameKey(storedPath, name))
        return false;
    if (!tx.keyExists(path) && !tx.createKey(path))
        return false;
    const StoredValue stamp{values::ChangeStamp,
                            QString::number(QDateTime::currentMSecsSinceEpoch())};
    return tx.setValues(path, values) && (!alongside || alongside(tx, path)) &&
           tx.setValues(path, {stamp});
}

QString SiteRecord::cfgFolder() const
{
    return joinPath(Root, CfgDir);
}

QString SiteRecord::reportsFolder() const
{
    return joinPath(Root, ReportsRoot);
}

// Sites stored before caches were kept have no cache folder of their own.
QString SiteRecord::cacheFolder() const
{
    return joinPath(Root, CacheDir.isEmpty() ? texts::cacheFolderName : CacheDir);
}

QString SiteRecord::configFile(const QString& periodName) const
{
    return joinPath(cfgFolder(), periodName + u".cfg"_s);
}

Expected<QStringList> storedSiteNames()
{
    QStringList names;
    if (Result read = SettingsStore::read([&](StoreTransaction& tx) {
            if (const std::optional<StoreNode> product = tx.readKey(kProductKey))
                for (const StoreNode& site : product->keys)
                    names.append(site.name);
        });
        !read)
        return read;
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

bool siteIsStored(const QString& siteName)
{
    return !siteName.isEmpty() && SettingsStore::snapshot(SiteRecord::keyPathOf(siteName));
}

Result deleteStoredSite(const QString& siteName)
{
    const QString path = SiteRecord::keyPathOf(siteName);
    QString password;
    bool found = false;
    const Result removed = SettingsStore::write([&](StoreTransaction& tx) {
        const std::optional<StoreNode> key = tx.readValues(path);
        found = key.has_value();
        password = key ? key->text(values::FTPAccess) : QString();
        return key && tx.removeKey(path);
    });
    if (!removed)
        return found ? removed : Result::refused(texts::noSuchSite(siteName));
    secrets::remove(password);
    return {};
}

Result checkSiteName(const QString& siteName)
{
    if (siteName.trimmed().isEmpty())
        return Result::refused(texts::Store::tr("The host name cannot be empty."));
    if (siteName.contains(u'/') || siteName.contains(u'\\'))
        return Result::refused(
            texts::Store::tr("The host name %1 cannot hold \"/\" or \"\\\".").arg(siteName));
    // They would break the quoted commands of a configuration file and the
    // variables of Analog's command line.
    if (siteName.contains(u'"') || siteName.contains(u'%'))
        return Result::refused(
            texts::Store::tr(
                "The host name %1 cannot hold a double quote (\") or a percent sign (%).")
                .arg(siteName));
    if (siteName == u"."_s || siteName == u".."_s)
        return Result::refused(texts::Store::tr("The host name %1 is not allowed.").arg(siteName));
    for (QChar c : siteName)
        if (c.category() == QChar::Other_Control)
            return Result::refused(
                texts::Store::tr("The host name cannot hold control characters."));
    if (siteName != siteName.trimmed())
        return Result::refused(
            texts::Store::tr("The host name \"%1\" cannot begin or end with white space.")
                .arg(siteName));
    return {};
}

QList<SiteValue> siteValues(const SiteRecord& site)
{
    QList<SiteValue> list;
    for (const ValueRule& rule : valueRules()) {
        const StoredValue value = storedValue(site, rule);
        if (const auto* text = std::get_if<QString>(&value.data))
            list.append({rule.valueName, *text});
        else
            list.append({rule.valueName, QString::number(std::get<quint32>(value.data))});
    }
    return list;
}

bool isSiteFieldName(const QString& valueName)
{
    return ruleOf(valueName) != nullptr;
}

Result setSiteField(SiteRecord& site, const QString& valueName, const QString& text)
{
    const ValueRule* rule = ruleOf(valueName);
    if (!rule)
        return Result::refused(texts::Store::tr("%1 is not a value of a Site.").arg(valueName));
    if (std::holds_alternative<QString SiteRecord::*>(rule->field) ||
        std::holds_alternative<int>(rule->field)) {
        loadField(site, *rule, nullptr); // clears the field
        StoreNode holder;
        holder.values.append({rule->valueName, text});
        loadField(site, *rule, &holder);
        return {};
    }
    bool ok = false;
    const quint32 number = text.toUInt(&ok, 10);
    if (!ok || text != text.trimmed() || text.startsWith(u'+'))
        return Result::refused(
            texts::Store::tr("%1 takes a decimal number, not \"%2\".").arg(rule->valueName, text));
    StoreNode holder;
    holder.values.append({rule->valueName, number});
    loadField(site, *rule, &holder);
    return {};
}

} // namespace meridan
