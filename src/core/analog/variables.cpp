#include "variables.h"

#include "analog/basecfg.h"
#include "store/siterecord.h"

using namespace Qt::StringLiterals;

namespace meridan {

void ExpandCommand(const SiteRecord& site, const QString& reference, QString& command)
{
    command.replace(u"%CfgFile%"_s, reference);
    if (!command.contains(u"%Out"_s))
        return;
    const QString out = OutFileOfConfig(site, reference);
    const qsizetype last = std::max(out.lastIndexOf(u'/'), out.lastIndexOf(u'\\'));
    const QString folder = last < 0 ? QString() : out.left(last);
    const auto forward = [](QString text) { return text.replace(u'\\', u'/'); };
    command.replace(u"%OutFile%"_s, out);
    command.replace(u"%OutFile/%"_s, forward(out));
    command.replace(u"%OutPath%"_s, folder);
    command.replace(u"%OutPath/%"_s, forward(folder));
}

} // namespace meridan
