#include "siterules.h"

#include "store/passwordcipher.h"
#include "store/reportcodes.h"
#include "store/siterecord.h"
#include "store/valuenames.h"
#include "store/valuerules.h"
#include "store/variablenames.h"
#include "util/files.h"
#include "util/numbers.h"
#include "util/texts.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QUrl>
#include <functional>
#include <utility>

using namespace Qt::StringLiterals;

namespace meridan {

QString trimmedField(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
    while (first < last && blank(text.at(first)))
        ++first;
    while (last > first && blank(text.at(last - 1)))
        --last;
    return text.mid(first, last - first);
}

QString defaultAnalogCommand()
{
    return u"-G -g\"%CfgFile%\""_s;
}

QString analogCommandOrDefault(const QString& text)
{
    const QString command = trimmedField(text);
    return command.isEmpty() ? defaultAnalogCommand() : command;
}

void chooseLanguage(SiteRecord& site, const QString& language)
{
    site.Language = language;
    site.LangCode.clear();
}

void chooseLanguageFile(SiteRecord& site, const QString& langCode)
{
    site.LangCode = langCode;
    if (!langCode.isEmpty())
        site.Language.clear();
}

namespace {
bool parsesWithServer(const QString& text)
{
    const QUrl url(text, QUrl::StrictMode);
    return url.isValid() && !url.scheme().isEmpty() && !url.host().isEmpty();
}
} // namespace

std::optional<QString> acceptedFtpUrl(const QString& text)
{
    const QString url = trimmedField(text);
    if (url.isEmpty())
        return std::nullopt;
    // A URL with a scheme is kept as typed when it is one the download
    // speaks; only a bare host gets "ftp://" in front.
    if (url.contains(u"://"_s)) {
        const QString scheme = url.section(u"://"_s, 0, 0).toLower();
        const bool known = scheme == u"ftp"_s || scheme == u"ftps"_s || scheme == u"sftp"_s;
        return known && parsesWithServer(url) ? std::optional<QString>(url) : std::nullopt;
    }
    const QString prefixed = u"ftp://"_s + url;
    return parsesWithServer(prefixed) ? std::optional<QString>(prefixed) : std::nullopt;
}

QString normalizedPostProcess(const QString& text)
{
    QString command = text;
    NormalizeVariables(command);
    return command;
}

bool holdsLineBreak(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n') || text.contains(QChar(u'\0'));
}

// The words the Site's window uses for a stored value, for messages.
QString valueLabel(const QString& valueName)
{
    const std::pair<QString, QString> labels[] = {
        {values::Url, texts::Store::tr("The URL")},
        {values::Root, texts::Store::tr("The stats root folder")},
        {values::AnalogCommand, texts::Store::tr("The command line for Analog")},
        {values::CfgDir, texts::Store::tr("The configuration folder")},
        {values::ReportsRoot, texts::Store::tr("The Reports folder")},
        {values::CacheDir, texts::Store::tr("The cache folder")},
        {values::LogsDir, texts::Store::tr("The Logs folder")},
        {values::LogNameStruct, texts::Store::tr("The logfile naming scheme")},
        {values::ErrorFile, texts::Store::tr("The error file")},
        {values::PostProcessCmd, texts::Store::tr("The post-process command line")},
        {values::FTPUrl, texts::Store::tr("The FTP URL")},
        {values::FTPUser, texts::Store::tr("The FTP user")},
        {values::DefaultBase, texts::Store::tr("The base configuration file")},
        {values::Language, texts::Store::tr("The language of the reports")},
        {values::LangCode, texts::Store::tr("The language file")},
        {values::ReportOrder, texts::Store::tr("The report order")}};
    for (const auto& [name, label] : labels)
        if (values::valueIs(valueName, name) ||
            (name == values::ReportOrder && valueName.startsWith(name, Qt::CaseInsensitive)))
            return label;
    return valueName;
}

Result refusedLineBreak(const QString& what)
{
    return Result::refused(
        texts::Store::tr("%1 cannot hold a line break or a NUL character.").arg(what));
}

Result checkAnalogText(const QString& what, const QString& text)
{
    if (holdsLineBreak(text))
        return refusedLineBreak(what);
    if (text.endsWith(u'\\'))
        return Result::refused(
            texts::Store::tr("%1 cannot end in \"\\\": Analog would read the next line of its "
                             "configuration as part of it.")
                .arg(what));
    if (text.toUtf8().size() > kMaxAnalogLine - 12) // the command's name, quotes and a blank
        return Result::refused(texts::Store::tr("%1 is too long for Analog: at most %2 characters.")
                                   .arg(what, QString::number(kMaxAnalogLine - 12)));
    return {};
}

Result checkAnalogLine(const QByteArray& line)
{
    if (line.size() <= kMaxAnalogLine && !line.endsWith('\\'))
        return {};
    return Result::refused(
        texts::Store::tr("Analog would not read this configuration line as written (over %1 "
                         "characters, or ending in \"\\\"); shorten the values it is made "
                         "of: %2")
            .arg(QString::number(kMaxAnalogLine), QString::fromUtf8(line.left(80)) + u"..."_s));
}

Result checkSchemeStaysInside(const QString& scheme)
{
    const QString path = QString(scheme).replace(u'\\', u'/');
    const bool climbs = path.split(u'/').contains(u".."_s);
    if (path.startsWith(u'/') || climbs)
        return Result::refused(
            texts::Store::tr("The naming scheme \"%1\" must stay below the log folder: no "
                             "\"..\" and no leading \"/\".")
                .arg(scheme));
    return {};
}

namespace {

using values::valueIs;

Result checkQuoteOrPercent(const QString& what, const QString& text, bool percentToo)
{
    if (text.contains(u'"') || (percentToo && text.contains(u'%')))
        return Result::refused(
            percentToo
                ? texts::Store::tr("%1 cannot hold a double quote (\") or a percent sign (%).")
                      .arg(what)
                : texts::Store::tr("%1 cannot hold a double quote (\").").arg(what));
    return {};
}

// A place named relative to one of the Site's folders stays inside it.
Result checkStaysInside(const QString& what, const QString& text)
{
    const QString path = QString(text).replace(u'\\', u'/');
    if (!path.startsWith(u'/') && !path.split(u'/').contains(u".."_s))
        return {};
    return Result::refused(texts::Store::tr("%1 \"%2\" must stay inside the Site's folders: no "
                                            "\"..\" and no leading \"/\".")
                               .arg(what, text));
}

// The values that never reach a configuration file of Analog.
bool staysOutOfConfiguration(const QString& valueName)
{
    return valueName.startsWith(u"FTP"_s, Qt::CaseInsensitive) ||
           valueIs(valueName, values::AnalogCommand) || valueIs(valueName, values::PostProcessCmd);
}

// Analog splits a LOGFILE at commas, even inside quotes.
Result checkNoComma(const QString& what, const QString& text)
{
    if (!text.contains(u','))
        return {};
    return Result::refused(texts::Store::tr("%1 cannot hold a comma: Analog reads a comma in a "
                                            "log file's path as the start of another file.")
                               .arg(what));
}

} // namespace

namespace {

Result checkReportOrder(const QString& valueName, const QString& order)
{
    QSet<QChar> seen;
    for (QChar c : order) {
        const bool known =
            c == u'-' || std::any_of(ReportCodes().begin(), ReportCodes().end(),
                                     [c](const ReportCode& r) { return r.code == c; });
        if (!known)
            return Result::refused(texts::Store::tr("%1: \"%2\" is no report code.")
                                       .arg(valueLabel(valueName), QString(c)));
        if (seen.contains(c))
            return Result::refused(texts::Store::tr("%1: \"%2\" stands twice.")
                                       .arg(valueLabel(valueName), QString(c)));
        seen.insert(c);
    }
    return {};
}

// Analog turns on every report an order leaves out, while the Reports page
// shows them unchecked: an order with a "-" gets the missing codes after it,
// so that both mean what was typed before the "-".
QString completedReportOrder(QString order)
{
    if (!order.contains(u'-'))
        return order;
    for (const ReportCode& report : ReportCodes())
        if (!order.contains(report.code))
            order += report.code;
    return order;
}

Result emptyOr(QString* text, const std::function<Result()>& otherwise)
{
    if (!text->trimmed().isEmpty())
        return otherwise();
    text->clear();
    return {};
}

Result normaliseFtpUrl(const QString&, QString* text)
{
    return emptyOr(text, [text]() -> Result {
        const std::optional<QString> url = acceptedFtpUrl(*text);
        if (!url)
            return Result::refused(
                texts::Store::tr("The FTP URL \"%1\" cannot be read as an address.").arg(*text));
        *text = *url;
        return {};
    });
}

Result normaliseCertificate(const QString&, QString* text)
{
    return emptyOr(text, [text]() -> Result {
        const QString pin = normalizedCertificatePin(*text);
        if (pin.isEmpty())
            return Result::refused(
                texts::Store::tr("FTPCertificate takes a SHA-256 fingerprint: 32 hex pairs "
                                 "such as AB:CD:..."));
        *text = pin;
        return {};
    });
}

Result normaliseKinds(const QString&, QString* text)
{
    QString kinds;
    for (QChar kind : texts::periodKindLetters)
        if (text->contains(kind, Qt::CaseInsensitive))
            kinds += kind;
    const bool onlyKinds = std::all_of(text->begin(), text->end(), [](QChar c) {
        return texts::periodKindLetters.contains(c, Qt::CaseInsensitive);
    });
    if (kinds.isEmpty() || !onlyKinds)
        return Result::refused(
            texts::Store::tr("KeepPeriods takes letters of D, W, M, Q, H and Y (days, "
                             "weeks, months, quarters, halves, years), such as M or DMY."));
    *text = kinds;
    return {};
}

Result normaliseFullPath(const QString& valueName, QString* text)
{
    *text = QDir::cleanPath(trimmedField(*text));
    if (!QDir::isAbsolutePath(*text))
        return Result::refused(texts::Store::tr("%1 must be a full path, not \"%2\".")
                                   .arg(valueLabel(valueName), *text));
    return {};
}

Result normalisePeriodicity(const QString&, QString* text)
{
    const QStringList known{QString::number(kLogHourly), QString::number(kLogDaily),
                            QString::number(kLogWeekly), QString::number(kLogMonthly),
                            QString::number(kLogNumbered)};
    if (known.contains(*text))
        return {};
    return Result::refused(
        texts::Store::tr("LogPeriodicity takes %1 (hourly), %2 (daily), %3 (weekly), "
                         "%4 (monthly) or %5 (numbered by logrotate).")
            .arg(known.at(0), known.at(1), known.at(2), known.at(3), known.at(4)));
}

Result normaliseOutput(const QString&, QString* text)
{
    if (decimalIn(*text, 0, kOutputTypeCount - 1))
        return {};
    return Result::refused(texts::Store::tr("Output takes a number from 0 to %1 (XHTML, HTML, "
                                            "PLAIN, ASCII, XML, LATEX, COMPUTER).")
                               .arg(kOutputTypeCount - 1));
}

Result normaliseReportOrder(const QString& valueName, QString* text)
{
    if (Result order = checkReportOrder(valueName, *text); !order)
        return order;
    *text = completedReportOrder(*text);
    return {};
}

Result trimmed(const QString&, QString* text)
{
    *text = trimmedField(*text);
    return {};
}

Result analogCommand(const QString&, QString* text)
{
    *text = analogCommandOrDefault(*text);
    return {};
}

Result postProcess(const QString&, QString* text)
{
    *text = normalizedPostProcess(*text);
    return {};
}

Result zeroOrOne(const QString&, QString* text)
{
    return *text == u"0"_s || *text == u"1"_s
               ? Result()
               : Result::refused(texts::Store::tr("FTPRequireTLS takes 0 or 1."));
}

Result passwordLength(const QString&, QString* text)
{
    return passwordFits(*text) ? Result() : Result::refused(passwordTooLongText());
}

Result imagesOrNone(const QString&, QString* text)
{
    *text = trimmedField(*text).isEmpty() ? QString() : u"images"_s;
    return {};
}

// The checks of each kind of value, in the order they refuse.
Result checkFullFolder(const QString& what, const QString& text)
{
    return checkQuoteOrPercent(what, text, true);
}

Result checkLogFolder(const QString& what, const QString& text)
{
    if (Result comma = checkNoComma(what, text); !comma)
        return comma;
    return checkFullFolder(what, text);
}

Result checkFolderName(const QString& what, const QString& text, bool mayBeEmpty)
{
    if (Result quote = checkQuoteOrPercent(what, text, true); !quote)
        return quote;
    if ((text.isEmpty() && !mayBeEmpty) || text.contains(u'/') || text.contains(u'\\') ||
        text == u"."_s || text == u".."_s)
        return Result::refused(
            texts::Store::tr(
                "%1 must be a folder name without \"/\" or \"\\\", and not \".\" or \"..\".")
                .arg(what));
    return {};
}

Result checkSubfolder(const QString& what, const QString& text)
{
    return checkFolderName(what, text, false);
}

Result checkCacheFolder(const QString& what, const QString& text)
{
    return checkFolderName(what, text, true); // empty reads as "cache"
}

Result checkErrorFile(const QString& what, const QString& text)
{
    if (Result quote = checkQuoteOrPercent(what, text, false); !quote)
        return quote;
    return checkStaysInside(what, text);
}

Result checkNamingScheme(const QString& what, const QString& text)
{
    if (Result comma = checkNoComma(what, text); !comma)
        return comma;
    if (Result quote = checkQuoteOrPercent(what, text, false); !quote)
        return quote;
    return checkSchemeStaysInside(text);
}

// A password in the address would be stored in clear and shown.
Result checkFtpUrl(const QString&, const QString& text)
{
    if (QUrl(text).password().isEmpty())
        return {};
    return Result::refused(
        texts::Store::tr("The FTP URL holds a password: give the user as FTPUser and the password "
                         "as FTPAccess (FTPAccess=- reads it from standard input)."));
}

QList<ValueRule> makeValueRules()
{
    using S = SiteRecord;
    QList<ValueRule> rules{
        {values::Url, &S::Url, 0, trimmed},
        {values::Root, &S::Root, 0, normaliseFullPath, checkFullFolder},
        {values::AnalogCommand, &S::AnalogCommand, 0, analogCommand},
        {values::CfgDir, &S::CfgDir, 0, trimmed, checkSubfolder},
        {values::ReportsRoot, &S::ReportsRoot, 0, trimmed, checkSubfolder},
        {values::ImagePath, &S::ImagePath, 0, imagesOrNone},
        {values::LogsDir, &S::LogsDir, 0, normaliseFullPath, checkLogFolder},
        {values::LogNameStruct, &S::LogNameStruct, 0, trimmed, checkNamingScheme},
        {values::ErrorFile, &S::ErrorFile, 0, trimmed, checkErrorFile},
        {values::LogPeriodicity, &S::LogPeriodicity, kLogDaily, normalisePeriodicity},
        {values::PostProcessCmd, &S::PostProcessCmd, 0, postProcess},
    };
    for (int i = 0; i < kReportOrderCount; ++i)
        rules.append({reportOrderValueName(i), i, 0, normaliseReportOrder});
    rules.append({
        {values::FTPUrl, &S::FTPUrl, 0, normaliseFtpUrl, checkFtpUrl},
        {values::FTPUser, &S::FTPUser},
        {values::FTPAccess, &S::FTPAccess, 0, passwordLength},
        {values::DefaultBase, &S::DefaultBase, 0, nullptr, checkStaysInside},
        {values::Output, &S::Output, 0, normaliseOutput},
        {values::Language, &S::Language},
        {values::LangCode, &S::LangCode},
        {values::FTPRequireTLS, &S::FTPRequireTLS, 0, zeroOrOne},
        {values::FTPCertificate, &S::FTPCertificate, 0, normaliseCertificate},
        {values::KeepPeriods, &S::KeepPeriods, 0, normaliseKinds},
        {values::CacheDir, &S::CacheDir, 0, trimmed, checkCacheFolder},
    });
    return rules;
}

Result normaliseValue(const QString& valueName, QString* text)
{
    const ValueRule* rule = ruleOf(valueName);
    return rule && rule->normalise ? rule->normalise(valueName, text) : Result();
}

} // namespace

const QList<ValueRule>& valueRules()
{
    static const QList<ValueRule> rules = makeValueRules();
    return rules;
}

const ValueRule* ruleOf(const QString& valueName)
{
    for (const ValueRule& rule : valueRules())
        if (valueIs(valueName, rule.valueName))
            return &rule;
    return nullptr;
}

Result checkValue(const QString& valueName, const QString& text)
{
    const QString what = valueLabel(valueName);
    if (holdsLineBreak(text))
        return refusedLineBreak(what);
    if (!staysOutOfConfiguration(valueName))
        if (Result line = checkAnalogText(what, text); !line)
            return line;
    const ValueRule* rule = ruleOf(valueName);
    return rule && rule->check ? rule->check(what, text) : Result();
}

QString normalizedCertificatePin(const QString& typed)
{
    QString hex = typed.trimmed();
    if (hex.startsWith(u"SHA256:"_s, Qt::CaseInsensitive))
        hex = hex.mid(7);
    hex.remove(u':');
    const QByteArray bytes = QByteArray::fromHex(hex.toLatin1());
    if (hex.size() != 64 || bytes.size() != 32 || bytes.toHex() != hex.toLower().toLatin1())
        return {};
    return QString::fromLatin1(bytes.toHex(':').toUpper());
}

Result acceptValue(const QString& valueName, QString* text)
{
    if (holdsLineBreak(*text))
        return refusedLineBreak(valueLabel(valueName));
    if (Result normalised = normaliseValue(valueName, text); !normalised)
        return normalised;
    return checkValue(valueName, *text);
}

Result checkSite(const SiteRecord& site)
{
    if (Result name = checkSiteName(site.name); !name)
        return name;
    for (const SiteValue& value : siteValues(site))
        if (Result checked = checkValue(value.name, value.text); !checked)
            return checked;
    // The longest LOGFILE line: the naming variables only get shorter.
    const QByteArray logFile =
        "LOGFILE \"" + joinPath(site.LogsDir, site.LogNameStruct).toUtf8() + '"';
    if (logFile.size() > kMaxAnalogLine)
        return Result::refused(
            texts::Store::tr("The Logs folder and the logfile naming scheme together make a log "
                             "file path of %1 characters; Analog reads at "
                             "most %2. Choose a shorter folder or Site name.")
                .arg(QString::number(logFile.size() - 10), QString::number(kMaxAnalogLine - 10)));
    return {};
}

} // namespace meridan
