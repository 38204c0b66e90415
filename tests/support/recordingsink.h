#pragma once

#include "run/consolerunner.h"

namespace meridan::test {

// Keeps every console line and counts the batches they came in.
class RecordingSink : public ConsoleSink
{
public:
    void appendLines(const QStringList& batch) override
    {
        lines += batch;
        ++batches;
    }
    QStringList lines;
    int batches = 0;
};

} // namespace meridan::test
