#include "messages.h"

#include "util/texts.h"

#include <cstdio>

using namespace Qt::StringLiterals;

namespace meridan {

namespace {
Messages* g_installed = nullptr;

void printLine(const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fprintf(stderr, "%s\n", bytes.constData());
    std::fflush(stderr);
}
} // namespace

void StderrMessages::error(const QString& text)
{
    printLine(text);
}

bool StderrMessages::ask(const QString& text, Question)
{
    printLine(text + (m_answerYes ? texts::Common::tr(" [yes]") : texts::Common::tr(" [no]")));
    return m_answerYes;
}

Messages& messages()
{
    static StderrMessages fallback;
    return g_installed ? *g_installed : fallback;
}

void setMessages(Messages* sink)
{
    g_installed = sink;
}

} // namespace meridan
