#include "reportcodes.h"

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

struct OutputType
{
    const char* keyword;
    const char* extension;
};

constexpr OutputType kOutputTypes[kOutputTypeCount] = {
    {"XHTML", ".html"}, {"HTML", ".html"}, {"PLAIN", ".txt"},    {"ASCII", ".asc"},
    {"XML", ".xml"},    {"LATEX", ".tex"}, {"COMPUTER", ".dat"},
};

} // namespace

QString OutputKeyword(qint32 output)
{
    if (output < 0 || output >= kOutputTypeCount)
        return {};
    return QString::fromLatin1(kOutputTypes[output].keyword);
}

QString OutputExtension(qint32 output)
{
    if (output < 0 || output >= kOutputTypeCount)
        return {};
    return QString::fromLatin1(kOutputTypes[output].extension);
}

const QList<ReportCode>& ReportCodes()
{
    static const QList<ReportCode> codes = [] {
        const QString table =
            u"xGENERAL|1YEARLY|QQUARTERLY|mMONTHLY|WWEEKLY|DDAILYREP|dDAILYSUM|HHOURLYREP|"
            u"hHOURLYSUM|wWEEKHOUR|4QUARTERREP|6QUARTERSUM|5FIVEREP|7FIVESUM|SHOST|lREDIRHOST|"
            u"LFAILHOST|ZORGANISATION|oDOMAIN|rREQUEST|iDIRECTORY|tFILETYPE|zSIZE|PPROCTIME|"
            u"EREDIR|IFAILURE|fREFERRER|sREFSITE|NSEARCHQUERY|nSEARCHWORD|YINTSEARCHQUERY|"
            u"yINTSEARCHWORD|kREDIRREF|KFAILREF|BBROWSERREP|bBROWSERSUM|pOSREP|vVHOST|"
            u"RREDIRVHOST|MFAILVHOST|uUSER|jREDIRUSER|JFAILUSER|cSTATUS||"_s;
        QList<ReportCode> list;
        for (const QString& entry : table.split(u'|', Qt::SkipEmptyParts))
            list.append({entry.at(0), entry.mid(1)});
        return list;
    }();
    return codes;
}

} // namespace meridan
