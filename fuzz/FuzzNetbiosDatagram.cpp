// A datagram on the NetBIOS datagram port: whatever is read from it must be written back to the
// same mailslot write, and nothing read may reach outside the packet.
#include "platform/MailslotDatagram.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray packet(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<MailslotDatagram> datagram = DecodeMailslotDatagram(packet);
    if (!datagram)
        return 0;
    if (datagram->data.size() > packet.size() || datagram->mailslot.contains('\0'))
        std::abort();
    // A packet may hold what cannot be written (a group write of more than 424 bytes, a scope
    // with an empty label); what can be written must read back alike.
    const std::optional<QByteArray> again = EncodeMailslotDatagram(*datagram);
    if (again && DecodeMailslotDatagram(*again) != datagram)
        std::abort();
    return 0;
}
