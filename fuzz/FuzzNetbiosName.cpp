// A packet on the NetBIOS name port, read as a question and as an answer: what is read must be
// written back to the same question or answer, and nothing read may reach outside the packet.
#include "platform/netbios/NetbiosNamePacket.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray packet(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const std::optional<NetbiosNameQuery> query = DecodeNameQuery(packet)) {
        const std::optional<QByteArray> again = EncodeNameQuery(*query);
        if (again && DecodeNameQuery(*again) != query)
            std::abort();
    }
    if (const std::optional<NetbiosNameAnswer> answer = DecodeNameAnswer(packet)) {
        if (answer->addresses.isEmpty() || answer->addresses.size() * 6 > packet.size())
            std::abort();
        const std::optional<QByteArray> again = EncodeNameAnswer(*answer);
        if (again && DecodeNameAnswer(*again) != answer)
            std::abort();
    }
    return 0;
}
