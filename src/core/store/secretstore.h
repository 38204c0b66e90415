#pragma once

#include "util/result.h"

#include <QString>
#include <optional>

namespace meridan {

// The desktop's keyring (the Secret Service: GNOME Keyring, KWallet, ...),
// where FTP passwords are kept. A password stored there stands in the
// settings database as its reference, "keyring:" and a token of its own, so
// that it follows the Site through renames and exports.
namespace secrets {

// Whether text is such a reference.
bool isReference(const QString& stored);

// Keeps the password in the keyring under a new reference and returns it;
// refused when no keyring answers, with the keyring's reason as a phrase to
// be put in a sentence.
Expected<QString> store(const QString& password);

// The password a reference stands for; refused with the reason when the
// keyring cannot be reached or holds no such entry.
Expected<QString> load(const QString& reference);

// Forgets the entry of a reference; nothing happens for any other text.
void remove(const QString& stored);

} // namespace secrets
} // namespace meridan
