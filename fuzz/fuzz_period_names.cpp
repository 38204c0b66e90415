// Period names and patterns as the command line takes them: a name that is
// accepted names a valid period and reads back as itself.
#include "analog/period.h"
#include "analog/reportlist.h"

#include <cstdint>
#include <cstdlib>

using namespace meridan;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const std::optional<Period> period = PeriodOfName(text)) {
        if (!IsValidPeriod(*period) || PeriodName(*period) != text || !PeriodBounds(*period))
            std::abort();
    }
    if (const std::optional<QList<Period>> periods = periodsOfPattern(text)) {
        if (periods->isEmpty() || periods->size() > 366)
            std::abort();
        for (const Period& period : *periods)
            if (!IsValidPeriod(period))
                std::abort();
    }
    return 0;
}
