// The stored FTP password: any stored text deciphers without harm, and a
// password that fits reads back unchanged.
#include "store/passwordcipher.h"

#include <cstdint>
#include <cstdlib>

using namespace meridan;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    decipherPassword(text);
    if (passwordFits(text) && !text.contains(QChar(0))) {
        const Expected<QString> stored = encipherPassword(text);
        if (!stored || decipherPassword(*stored) != text)
            std::abort();
    }
    return 0;
}
