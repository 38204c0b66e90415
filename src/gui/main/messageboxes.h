#pragma once

#include "util/messages.h"

namespace meridan {

// The desktop program's messages: message boxes captioned with its name.
class MessageBoxes : public Messages
{
public:
    void error(const QString& text) override;
    bool ask(const QString& text, Question kind = Question::OkCancel) override;
    void beep() override;
};

} // namespace meridan
