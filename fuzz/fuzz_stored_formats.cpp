// The stored forms of the Specific formats page: rows the rules accept read
// back as they were written, and none can break a configuration line.
#include "store/sitelists.h"

#include <cstdint>
#include <cstdlib>

using namespace meridan;

namespace {

bool holdsLineBreak(const QString& text)
{
    return text.contains(u'\n') || text.contains(u'\r') || text.contains(QChar(0));
}

// Written, read and written again, the rows give the same stored text.
bool readsBack(const QList<SpecialMonth>& rows)
{
    const QString written = specialMonthsText(rows);
    return specialMonthsText(parseSpecialMonths(written)) == written;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    // As stored: whatever is read reads back the same once written again.
    const QList<SpecialMonth> stored = parseSpecialMonths(text);
    if (checkSpecialRows(stored) && !readsBack(stored))
        std::abort();
    // As typed: rows "month<TAB>file" and "month<TAB>A|L<TAB>format", one a line.
    QList<SpecialMonth> specials;
    QList<FormatChange> changes;
    for (const QString& line : text.split(u'\n')) {
        const QStringList fields = line.split(u'\t');
        specials.append({fields.value(0), fields.value(1)});
        changes.append({fields.value(0), fields.value(1) == u"A", fields.value(2)});
    }
    if (checkSpecialRows(specials) && !readsBack(specials))
        std::abort();
    if (checkFormatRows(changes)) {
        for (const FormatChange& change : changes)
            if (holdsLineBreak(change.format) || holdsLineBreak(change.month))
                std::abort();
        formatChangesText(changes);
    }
    return 0;
}
