#include "desktopnotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

using namespace Qt::StringLiterals;

namespace meridan {

bool notifyDesktop(const QString& title, const QString& body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        u"org.freedesktop.Notifications"_s, u"/org/freedesktop/Notifications"_s,
        u"org.freedesktop.Notifications"_s, u"Notify"_s);
    call << u"Meridan"_s << quint32(0) << u"io.github.meridan.meridan"_s << title << body
         << QStringList() << QVariantMap() << qint32(-1);
    // Nobody waits for the answer: a desktop without the service says nothing.
    return bus.send(call);
}

} // namespace meridan
