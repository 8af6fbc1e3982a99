#include "platform/desktop/WindowManagerHints.h"

#include <QGuiApplication>
#include <QList>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

xcb_connection_t* X11Connection()
{
    auto* pX11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return pX11 ? pX11->connection() : nullptr;
}

xcb_atom_t InternAtom(xcb_connection_t* pConnection, const char* name)
{
    const auto cookie = xcb_intern_atom(pConnection, 0, quint16(std::strlen(name)), name);
    xcb_intern_atom_reply_t* pReply = xcb_intern_atom_reply(pConnection, cookie, nullptr);
    const xcb_atom_t atom = pReply ? pReply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(pReply);
    return atom;
}

QList<xcb_atom_t> AtomList(xcb_connection_t* pConnection, xcb_window_t window, xcb_atom_t property)
{
    const auto cookie = xcb_get_property(pConnection, 0, window, property, XCB_ATOM_ATOM, 0, 64);
    xcb_get_property_reply_t* pReply = xcb_get_property_reply(pConnection, cookie, nullptr);
    QList<xcb_atom_t> atoms;
    if (pReply && pReply->format == 32) {
        const auto* pAtoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(pReply));
        const int nCount = xcb_get_property_value_length(pReply) / int(sizeof(xcb_atom_t));
        atoms = QList<xcb_atom_t>(pAtoms, pAtoms + nCount);
    }
    std::free(pReply);
    return atoms;
}

// Adds or removes one of the window's _NET_WM_STATE atoms: a mapped window asks the window
// manager; a withdrawn one changes its own list, which Qt keeps when it maps the window.
bool ChangeNetWmState(QWindow* pWindow, const char* stateName, bool bOn)
{
    xcb_connection_t* pConnection = X11Connection();
    if (!pConnection || !pWindow)
        return false;
    const auto window = xcb_window_t(pWindow->winId());
    const xcb_atom_t property = InternAtom(pConnection, "_NET_WM_STATE");
    const xcb_atom_t state = InternAtom(pConnection, stateName);
    if (property == XCB_ATOM_NONE || state == XCB_ATOM_NONE)
        return false;
    if (pWindow->isVisible()) {
        constexpr quint32 kRemove = 0, kAdd = 1, kNormalSource = 1;
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = property;
        event.data.data32[0] = bOn ? kAdd : kRemove;
        event.data.data32[1] = state;
        event.data.data32[3] = kNormalSource;
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(pConnection)).data->root;
        xcb_send_event(pConnection, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&event));
    } else {
        QList<xcb_atom_t> atoms = AtomList(pConnection, window, property);
        atoms.removeAll(state);
        if (bOn)
            atoms.append(state);
        xcb_change_property(pConnection, XCB_PROP_MODE_REPLACE, window, property, XCB_ATOM_ATOM, 32,
                            quint32(atoms.size()), atoms.constData());
    }
    xcb_flush(pConnection);
    return true;
}

} // namespace

bool SetAlwaysOnTop(QWindow* pWindow, bool bOnTop)
{
    return ChangeNetWmState(pWindow, "_NET_WM_STATE_ABOVE", bOnTop);
}
