#include "display_check.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>

#include <xcb/xcb.h>

namespace quadrell {

namespace {

bool WaylandReachable()
{
    const QByteArray socket = qgetenv("WAYLAND_DISPLAY");
    if (socket.isEmpty())
        return false;
    const QString path = QDir(QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"))).filePath(QString::fromLocal8Bit(socket));
    return QFileInfo(socket.startsWith('/') ? QString::fromLocal8Bit(socket) : path).exists();
}

bool X11Reachable()
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return reachable;
}

}  // namespace

QString MissingDisplayReason()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return {};  // a platform chosen on purpose, such as offscreen: Qt reports its own faults
    if (WaylandReachable())
        return {};
    if (qgetenv("DISPLAY").isEmpty())
        return QStringLiteral("no display to open the window on: DISPLAY is not set");
    if (!X11Reachable())
        return QStringLiteral("cannot reach the display %1").arg(QString::fromLocal8Bit(qgetenv("DISPLAY")));
    return {};
}

}  // namespace quadrell
