#pragma once

#include "util/result.h"

#include <QList>
#include <QString>
#include <variant>

namespace meridan {

class SiteRecord;

// The store's own view of a Site's values: one row a value, read by the
// record that loads and saves them and by the rules that check them.

using FieldRef = std::variant<QString SiteRecord::*, quint32 SiteRecord::*, qint32 SiteRecord::*,
                              int /* report order index */>;
// Brings a value's text to its stored form, or refuses it.
using Normaliser = Result (*)(const QString& valueName, QString* text);
// The rules of one value beyond those every value keeps; what names it.
using Checker = Result (*)(const QString& what, const QString& text);

struct ValueRule
{
    QString valueName;
    FieldRef field;
    quint32 missingNumber = 0;      // what a missing number reads as
    Normaliser normalise = nullptr; // none: stored as given
    Checker check = nullptr;        // none: only the rules of every value
};

// Every stored value of a Site, in the order a record loads and saves them.
const QList<ValueRule>& valueRules();
const ValueRule* ruleOf(const QString& valueName);

} // namespace meridan
