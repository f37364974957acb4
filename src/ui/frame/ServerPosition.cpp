#include "ui/frame/ServerPosition.h"

#include <QGuiApplication>
#include <QWidget>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

// The X server's connection, on X11 only: other platforms may answer for X11 without one.
xcb_connection_t* x11Connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return nullptr;
    }
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

} // namespace

std::optional<QPoint> serverPosition(const QWidget& window)
{
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr || !window.isWindow() || window.internalWinId() == 0) {
        return std::nullopt;
    }
    const auto id = static_cast<xcb_window_t>(window.internalWinId());
    const Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, id), nullptr), &std::free);
    if (!geometry) {
        return std::nullopt;
    }
    const Reply<xcb_translate_coordinates_reply_t> place(
        xcb_translate_coordinates_reply(
            connection, xcb_translate_coordinates(connection, id, geometry->root, 0, 0), nullptr),
        &std::free);
    if (!place) {
        return std::nullopt;
    }
    const double ratio = window.devicePixelRatioF();
    return QPoint(qRound(place->dst_x / ratio), qRound(place->dst_y / ratio));
}

bool requestServerPosition(const QWidget& window, QPoint place)
{
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr || !window.isWindow() || window.internalWinId() == 0) {
        return false;
    }
    const double ratio = window.devicePixelRatioF();
    const std::array<std::uint32_t, 2> values = {
        static_cast<std::uint32_t>(qRound(place.x() * ratio)),
        static_cast<std::uint32_t>(qRound(place.y() * ratio)),
    };
    xcb_configure_window(connection, static_cast<xcb_window_t>(window.internalWinId()),
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, values.data());
    xcb_flush(connection);
    return true;
}
