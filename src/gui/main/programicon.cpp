#include "programicon.h"

using namespace Qt::StringLiterals;

// Resources of a static library must be registered by hand.
static void registerGuiResources()
{
    Q_INIT_RESOURCE(app);
}

namespace meridan {

QIcon programIcon()
{
    registerGuiResources();
    QIcon icon;
    for (int size : {16, 22, 32, 48, 64, 128, 256})
        icon.addFile(u":/meridan/icons/%1.png"_s.arg(size), QSize(size, size));
    return icon;
}

} // namespace meridan
