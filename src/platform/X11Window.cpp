#include "platform/X11Window.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

xcb_atom_t InternAtom(xcb_connection_t* pConnection, const char* name)
{
    const auto cookie = xcb_intern_atom(pConnection, 0, quint16(std::strlen(name)), name);
    xcb_intern_atom_reply_t* pReply = xcb_intern_atom_reply(pConnection, cookie, nullptr);
    const xcb_atom_t atom = pReply ? pReply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(pReply);
    return atom;
}

// True when the window's state list already holds the atom.
bool HasAtom(xcb_connection_t* pConnection, xcb_window_t window, xcb_atom_t property, xcb_atom_t atom)
{
    const auto cookie = xcb_get_property(pConnection, 0, window, property, XCB_ATOM_ATOM, 0, 64);
    xcb_get_property_reply_t* pReply = xcb_get_property_reply(pConnection, cookie, nullptr);
    bool bFound = false;
    if (pReply && pReply->format == 32) {
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(pReply));
        const int nCount = xcb_get_property_value_length(pReply) / int(sizeof(xcb_atom_t));
        for (int i = 0; i < nCount && !bFound; ++i)
            bFound = atoms[i] == atom;
    }
    std::free(pReply);
    return bFound;
}

} // namespace

void SkipTaskBar(QWindow* pWindow)
{
    auto* pX11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* pConnection = pX11 ? pX11->connection() : nullptr;
    if (!pConnection || !pWindow)
        return;
    const auto window = xcb_window_t(pWindow->winId());
    const xcb_atom_t state = InternAtom(pConnection, "_NET_WM_STATE");
    const xcb_atom_t skip = InternAtom(pConnection, "_NET_WM_STATE_SKIP_TASKBAR");
    if (state == XCB_ATOM_NONE || skip == XCB_ATOM_NONE || HasAtom(pConnection, window, state, skip))
        return;
    // Qt keeps the states it finds when it sets its own before mapping.
    xcb_change_property(pConnection, XCB_PROP_MODE_APPEND, window, state, XCB_ATOM_ATOM, 32, 1, &skip);
    xcb_flush(pConnection);
}
