#pragma once

#include "commandcontext.h"

namespace meridan::cli {

// ls, fetch, plan and update: the commands that reach a Site's server or
// keep its reports up to date.
int listRemoteFiles(Context& c);
int fetchLogs(Context& c);
int planUpdate(Context& c);
int update(Context& c);
int showOverview(Context& c);

} // namespace meridan::cli
