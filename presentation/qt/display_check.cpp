#include "display_check.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>

#include <xcb/xcb.h>

#include "captured_stderr.h"

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

// Empty when the X display admits a client; otherwise why not. A display that refuses a client
// says why (for instance that it has too many clients), and libxcb writes that to standard error.
QString X11Refusal(const QString& display)
{
    const CapturedStderr said;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (reachable)
        return {};
    const QString reason = QString::fromLocal8Bit(said.text()).simplified();
    if (reason.isEmpty())
        return QStringLiteral("cannot reach the display %1").arg(display);
    return QStringLiteral("the display %1 refused the connection (%2)").arg(display, reason);
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
    return X11Refusal(QString::fromLocal8Bit(qgetenv("DISPLAY")));
}

}  // namespace quadrell
