// The settings as JSON, as meridan-cli import reads them: whatever it
// accepts, it writes back in a form that reads back the same.
#include "store/storejson.h"

#include <cstdint>
#include <cstdlib>

using namespace meridan;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const StoreJson read =
        storeFromJson(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!read.root)
        return 0;
    const QByteArray written = storeToJson(*read.root);
    const StoreJson again = storeFromJson(written);
    if (!again.root || storeToJson(*again.root) != written)
        std::abort();
    return 0;
}
