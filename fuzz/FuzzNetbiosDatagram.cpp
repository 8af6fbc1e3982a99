// A datagram on the NetBIOS datagram port: whatever is read from it must be written back to the
// same mailslot write, and nothing read may reach outside the packet.
#include "platform/netbios/MailslotDatagram.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray packet(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<MailslotDatagram> datagram = DecodeMailslotDatagram(packet);
    // What a relay may have cut reads within the packet too, and a whole packet reads alike.
    const std::optional<MailslotDatagram> cut = DecodeMailslotDatagram(packet, DatagramEnd::MayBeCut);
    if ((cut && cut->data.size() > packet.size()) || (datagram && cut != datagram))
        std::abort();
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
