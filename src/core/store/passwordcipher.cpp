#include "passwordcipher.h"

#include "util/texts.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <array>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {

using Block = std::array<quint8, kPasswordBlockSize>;

// The passphrase is taken literally: its "%" sequences are not variables.
QByteArray cipherKey()
{
    return QCryptographicHash::hash("keystore%hh%%dd%log", QCryptographicHash::Md5);
}

// RC4 is its own inverse: the same call enciphers and deciphers.
void rc4(Block& block)
{
    const QByteArray key = cipherKey();
    std::array<quint8, 256> state{};
    for (int i = 0; i < 256; ++i)
        state[i] = static_cast<quint8>(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + state[i] + static_cast<quint8>(key[i % key.size()])) & 0xFF;
        std::swap(state[i], state[j]);
    }
    for (int n = 0, i = 0, j = 0; n < kPasswordBlockSize; ++n) {
        i = (i + 1) & 0xFF;
        j = (j + state[i]) & 0xFF;
        std::swap(state[i], state[j]);
        block[n] ^= state[(state[i] + state[j]) & 0xFF];
    }
}

// Passwords are UTF-8; a block written by the Windows build in its ANSI code
// page reads as Latin-1 rather than as replacement characters.
QString textOfBlock(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

int hexDigit(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

// Two characters read as a hexadecimal number, stopping at the first
// character that is no digit.
quint8 byteAt(const QString& text, qsizetype position)
{
    int value = 0;
    for (qsizetype k = position; k < position + 2 && k < text.size(); ++k) {
        const int digit = hexDigit(text.at(k));
        if (digit < 0)
            break;
        value = value * 16 + digit;
    }
    return static_cast<quint8>(value);
}

} // namespace

bool passwordFits(const QString& password)
{
    return password.toUtf8().size() <= kPasswordMaxBytes;
}

QString passwordTooLongText()
{
    return texts::Store::tr("The FTP password is too long: at most %1 characters can be stored.")
        .arg(kPasswordMaxBytes);
}

Expected<QString> encipherPassword(const QString& password)
{
    if (password.isEmpty())
        return QString();
    const QByteArray bytes = password.toUtf8();
    if (bytes.size() > kPasswordMaxBytes || bytes.contains('\0'))
        return Result::refused(passwordTooLongText());
    Block block{};
    for (quint8& noise : block)
        noise = static_cast<quint8>(QRandomGenerator::system()->bounded(256));
    std::copy(bytes.begin(), bytes.end(), block.begin());
    block[bytes.size()] = 0;
    rc4(block);
    QString digits;
    for (quint8 byte : block)
        digits += u"%1"_s.arg(uint(byte), 2, 16, QChar(u'0')).toUpper();
    return digits;
}

QString decipherPassword(const QString& stored)
{
    if (stored.isEmpty()) // as encipherPassword stores the empty password
        return {};
    Block block{};
    for (int i = 0; i < kPasswordBlockSize; ++i)
        block[i] = byteAt(stored, 2 * i);
    rc4(block);
    const auto end = std::find(block.begin(), block.end(), quint8{0});
    return textOfBlock(QByteArray(reinterpret_cast<const char*>(block.data()),
                                  static_cast<qsizetype>(end - block.begin())));
}

} // namespace meridan
