#include "result.h"

#include "util/messages.h"

namespace meridan {

bool Result::report() const
{
    if (!ok())
        messages().error(m_message);
    return ok();
}

} // namespace meridan
