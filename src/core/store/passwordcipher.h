#pragma once

#include "util/result.h"

#include <QString>
#include <optional>

namespace meridan {

// The stored form of the FTP password: a 64-byte block (the password, its
// NUL, then noise) enciphered with RC4 keyed by the MD5 digest of a fixed
// passphrase, written as 128 upper-case hexadecimal digits. Passwords stored
// by the Windows build read back unchanged.
constexpr int kPasswordBlockSize = 64;
constexpr int kPasswordMaxBytes = kPasswordBlockSize - 1;

// True when the password fits the block (at most 63 bytes in UTF-8).
bool passwordFits(const QString& password);
QString passwordTooLongText();

// The 128 digits for a password; refused when it does not fit the block.
// The empty password is stored as "".
Expected<QString> encipherPassword(const QString& password);
QString decipherPassword(const QString& stored);

} // namespace meridan
