#include "remotelisting.h"

#include "util/texts.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

// "drwxr-xr-x 2 owner group 4096 Jan 01 12:00 name"; the group may be
// missing. The name starts after the one blank that follows the time.
const QRegularExpression& unixForm()
{
    static const QRegularExpression form(
        u"^([-dlbcpsDL])[^ ]*[ ]+.*?([0-9]+)[ ]+[A-Za-z]{3}[ ]+[0-9]{1,2}[ ]+"
        "([0-9]{1,2}:[0-9]{2}|[0-9]{4}) (.+)$"_s);
    return form;
}

// "01-17-26  08:15PM       <DIR>          name" or "... 12345 name".
const QRegularExpression& dosForm()
{
    static const QRegularExpression form(
        u"^[0-9]{2}-[0-9]{2}-[0-9]{2,4}[ ]+[0-9]{1,2}:[0-9]{2}(?:[AaPp][Mm])?[ ]+"
        "(<DIR>|[0-9]+)[ ]+(.+)$"_s);
    return form;
}

std::optional<RemoteEntry> entryOfLine(const QByteArray& line)
{
    // Latin-1 maps each byte to one character, so offsets are byte offsets.
    const QString text = QString::fromLatin1(line);
    if (const QRegularExpressionMatch match = unixForm().match(text); match.hasMatch()) {
        const QChar type = match.captured(1).at(0).toLower();
        QByteArray raw = line.mid(match.capturedStart(4));
        if (type == u'l') // "name -> target"
            if (const qsizetype arrow = raw.indexOf(" -> "); arrow > 0)
                raw.truncate(arrow);
        return RemoteEntry{QString::fromUtf8(raw), type == u'd', match.captured(2).toLongLong(),
                           raw};
    }
    if (const QRegularExpressionMatch match = dosForm().match(text); match.hasMatch()) {
        const bool folder = match.captured(1) == u"<DIR>"_s;
        const QByteArray raw = line.mid(match.capturedStart(2));
        return RemoteEntry{QString::fromUtf8(raw), folder,
                           folder ? -1 : match.captured(1).toLongLong(), raw};
    }
    return std::nullopt;
}

} // namespace

RemoteListing parseRemoteListing(const QByteArray& listing)
{
    RemoteListing result;
    bool lastLineWasEntry = false;
    qsizetype start = 0;
    while (start < listing.size()) {
        qsizetype end = listing.indexOf('\n', start);
        if (end < 0)
            end = listing.size();
        QByteArray line = listing.mid(start, end - start);
        start = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith("total ")) {
            lastLineWasEntry = false;
            continue;
        }
        const std::optional<RemoteEntry> entry =
            line.contains('\r') || line.contains('\0') ? std::nullopt : entryOfLine(line);
        if (!entry) {
            // A line break in a name splits its line in two: the first half
            // reads as an entry the server does not have.
            if (lastLineWasEntry && !result.entries.last().isFolder)
                line = result.entries.takeLast().rawName + '?' + line;
            result.skipped.append(
                texts::Remote::tr("The listing line \"%1\" could not be read; it was left out.")
                    .arg(texts::printable(QString::fromUtf8(line))));
            lastLineWasEntry = false;
            continue;
        }
        lastLineWasEntry = entry->rawName != "." && entry->rawName != "..";
        if (lastLineWasEntry)
            result.entries.append(*entry);
    }
    return result;
}

} // namespace meridan
