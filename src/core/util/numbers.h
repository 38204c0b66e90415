#pragma once

#include <QString>
#include <optional>

namespace meridan {

// The number that text begins with, read as C's atoi reads digits: reading
// stops at the first character that is no digit; no digit gives 0.
inline int leadingNumber(QStringView text)
{
    int value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9' || value > 100000000)
            break;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

// A decimal number from lowest to highest written as QString::number
// writes it (no sign, blank or leading zero), or nullopt.
inline std::optional<int> decimalIn(const QString& text, int lowest, int highest)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < lowest || number > highest || text != QString::number(number))
        return std::nullopt;
    return number;
}

// n with at least two digits: 7 gives "07".
inline QString twoDigits(int n)
{
    return QString::number(n).rightJustified(2, QLatin1Char('0'));
}

} // namespace meridan
