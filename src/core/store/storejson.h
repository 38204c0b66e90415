#pragma once

#include "store/settingsstore.h"

#include <QByteArray>
#include <QStringList>
#include <optional>

namespace meridan {

// The store as JSON text: the form of release 0.1's settings file, and of
// meridan-cli export and import.
QByteArray storeToJson(const StoreNode& root);

struct StoreJson
{
    std::optional<StoreNode> root; // nullopt when the text is no such form
    QString problem;               // why not
    // Keys left out because an earlier sibling had the same name but for
    // case, as paths; the first one is kept.
    QStringList caseDuplicates;
};
StoreJson storeFromJson(const QByteArray& text);

} // namespace meridan
