#pragma once

#include "support/testenvironment.h"

#include <QObject>
#include <memory>

namespace meridan::test {

// The base of a test whose every function runs in its own temporary home
// (HOME and XDG_CONFIG_HOME) and records what the core says. A test with
// more to set up defines init() and cleanup() and calls these first and
// last.
class SandboxTest : public QObject
{
    Q_OBJECT

protected:
    std::unique_ptr<TestHome> home;
    std::unique_ptr<RecordingMessages> recorder;

protected slots:
    void init()
    {
        home = std::make_unique<TestHome>();
        recorder = std::make_unique<RecordingMessages>();
    }
    void cleanup()
    {
        recorder.reset();
        home.reset();
    }
};

} // namespace meridan::test
