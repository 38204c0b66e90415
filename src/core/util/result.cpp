#include "result.h"

#include "util/messages.h"

namespace meridan {

bool Result::report() const
{
    if (!m_message.isEmpty())
        messages().error(m_message);
    return ok();
}

} // namespace meridan
