// Starts a program and prints, once its first managed top-level window is viewable, the
// program's process id and the milliseconds that took. The program keeps running.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <unistd.h>
#include <vector>

namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(r);
    return atom;
}

std::vector<uint32_t> Property(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type)
{
    std::vector<uint32_t> values;
    xcb_get_property_reply_t* r = xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, 4096), nullptr);
    if (r && r->format == 32) {
        const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(r));
        values.assign(data, data + xcb_get_property_value_length(r) / 4);
    }
    std::free(r);
    return values;
}

bool IsViewable(xcb_connection_t* c, xcb_window_t w)
{
    xcb_get_window_attributes_reply_t* r = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr);
    const bool bViewable = r && r->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(r);
    return bViewable;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 2;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t clientList = Atom(c, "_NET_CLIENT_LIST");
    const xcb_atom_t pidAtom = Atom(c, "_NET_WM_PID");
    const uint32_t rootMask = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &rootMask);
    xcb_flush(c);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // The program outlives this one: it must not hold the caller's output open.
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    std::set<xcb_window_t> seen, ours;
    const uint32_t windowMask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    while (xcb_generic_event_t* pEvent = xcb_wait_for_event(c)) {
        const uint8_t type = pEvent->response_type & 0x7F;
        std::free(pEvent);
        if (type != XCB_PROPERTY_NOTIFY && type != XCB_MAP_NOTIFY)
            continue;
        // New managed windows of the program are watched; any map may have made one viewable.
        for (uint32_t w : Property(c, root, clientList, XCB_ATOM_WINDOW)) {
            if (!seen.insert(w).second)
                continue;
            const auto pids = Property(c, w, pidAtom, XCB_ATOM_CARDINAL);
            if (!pids.empty() && pid_t(pids[0]) == pid) {
                xcb_change_window_attributes(c, w, XCB_CW_EVENT_MASK, &windowMask);
                ours.insert(w);
            }
        }
        for (xcb_window_t w : ours) {
            if (IsViewable(c, w)) {
                const auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start);
                std::printf("%d %.1f\n", int(pid), ms.count());
                return 0;
            }
        }
    }
    return 1;
}
