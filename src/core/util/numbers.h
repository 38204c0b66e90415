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

// The years Analog can count: it reads a log's year by two digits, and
// takes 70 to 99 as 1970 to 1999, so every line from 2070 on is corrupt.
constexpr int kFirstYear = 1992;
constexpr int kLastYear = 2069;

// n with at least two digits: 7 gives "07".
inline QString twoDigits(int n)
{
    return QString::number(n).rightJustified(2, QLatin1Char('0'));
}

} // namespace meridan
