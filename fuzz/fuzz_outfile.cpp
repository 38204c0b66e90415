// The OUTFILE command of a configuration file, as the report to open and
// the post-process variables read it: one line, without quotes.
#include "analog/basecfg.h"

#include <cstdint>
#include <cstdlib>

using namespace meridan;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const std::optional<QString> outFile = outFileOfConfigText(text))
        if (outFile->contains(u'\n') || outFile->contains(u'\r') || outFile->contains(u'"'))
            std::abort();
    return 0;
}
