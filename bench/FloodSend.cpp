// Sends COUNT distinct datagrams "flood NNNNNNN" (each ended by a zero byte, as the program
// writes them) to this computer's inbox on PORT, from one socket: as fast as it can, or at RATE
// per second. Prints the seconds the sending took. Given a NAME, the datagrams are NetBIOS name
// queries for it instead, each with an id of its own.
#include "platform/netbios/NetbiosNamePacket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char* argv[])
{
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: %s PORT COUNT RATE (0: as fast as possible) [NAME]\n", argv[0]);
        return 2;
    }
    const int port = std::atoi(argv[1]);
    const long count = std::atol(argv[2]);
    const double rate = std::atof(argv[3]);
    QByteArray query;
    if (argc == 5)
        query = EncodeNameQuery({0, {QByteArray(argv[4]), 0x00, {}}, true}).value_or(QByteArray());
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(uint16_t(port));
    const auto start = std::chrono::steady_clock::now();
    char text[32];
    for (long i = 1; i <= count; ++i) {
        if (rate > 0) {
            std::this_thread::sleep_until(start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                                      std::chrono::duration<double>((i - 1) / rate)));
        }
        const char* bytes = text;
        size_t size = 0;
        if (query.isEmpty()) {
            size = size_t(std::snprintf(text, sizeof text, "flood %07ld", i) + 1);
        } else {
            // The transaction id leads the packet, high byte first.
            query[0] = char(i >> 8);
            query[1] = char(i);
            bytes = query.constData();
            size = size_t(query.size());
        }
        // A full send queue is waited out; the receiver's losses are its own.
        while (sendto(fd, bytes, size, 0, reinterpret_cast<const sockaddr*>(&address), sizeof address) < 0) {
            if (errno != ENOBUFS && errno != EAGAIN && errno != EINTR) {
                std::perror("sendto");
                return 1;
            }
        }
    }
    std::printf("%.3f\n", std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    close(fd);
    return 0;
}
