#pragma once

#include <QString>

namespace meridan {

// n with at least two digits: 7 gives "07".
inline QString twoDigits(int n)
{
    return QString::number(n).rightJustified(2, QLatin1Char('0'));
}

} // namespace meridan
