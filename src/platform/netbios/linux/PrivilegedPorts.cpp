#include "platform/netbios/PrivilegedPorts.h"

#include "platform/mailslot/MailslotAddress.h"
#include "platform/mailslot/MailslotTransport.h"

#include <linux/capability.h>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <map>

namespace {

struct BoundPort
{
    int fd = -1;
    int nError = 0;
};

// Filled before the application object exists, while the process has one thread.
std::map<quint16, BoundPort>& BoundPorts()
{
    static std::map<quint16, BoundPort> s_ports;
    return s_ports;
}

BoundPort BindUdp(quint16 nPort)
{
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return {-1, errno};
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(nPort);
    // No SO_REUSEADDR: the bind must fail while another process owns the port.
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int nError = errno;
        close(fd);
        return {-1, nError};
    }
    return {fd, 0};
}

} // namespace

bool CPrivilegedPorts::CapabilitiesHeld()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    for (const __user_cap_data_struct& word : data) {
        if (word.permitted != 0 || word.effective != 0 || word.inheritable != 0)
            return true;
    }
    return false;
}

void CPrivilegedPorts::BindInboxPorts()
{
    const auto bindOnce = [](quint16 nPort) {
        if (!BoundPorts().contains(nPort))
            BoundPorts()[nPort] = BindUdp(nPort);
    };
    bindOnce(MailslotPort());
    for (const quint16 nPort : MailslotTransport().ServicePorts())
        bindOnce(nPort);
}

bool CPrivilegedPorts::DropCapabilities(QString& strError)
{
    // The ambient set goes with the permitted one; it is cleared first all the same, since
    // only an empty ambient set is certain to give a started program nothing.
    if (prctl(PR_CAP_AMBIENT, PR_CAP_AMBIENT_CLEAR_ALL, 0, 0, 0) != 0 && errno != EINVAL) {
        strError = qt_error_string(errno);
        return false;
    }
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (syscall(SYS_capset, &header, data) != 0) {
        strError = qt_error_string(errno);
        return false;
    }
    return true;
}

int CPrivilegedPorts::Take(quint16 nPort, int& nError)
{
    std::map<quint16, BoundPort>& ports = BoundPorts();
    const auto found = ports.find(nPort);
    if (found == ports.end()) {
        nError = 0;
        return -1;
    }
    const BoundPort bound = found->second;
    ports.erase(found);
    nError = bound.nError;
    return bound.fd;
}

void CPrivilegedPorts::CloseUntaken()
{
    for (const auto& [nPort, bound] : BoundPorts()) {
        if (bound.fd >= 0)
            close(bound.fd);
    }
    BoundPorts().clear();
}
