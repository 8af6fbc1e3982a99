#include "platform/process/StandardStreams.h"

#include <fcntl.h>
#include <unistd.h>

std::bitset<3> ReserveClosedStandardStreams()
{
    std::bitset<3> closed;
    for (int fd = 0; fd < 3; ++fd) {
        if (fcntl(fd, F_GETFD) != -1)
            continue;
        closed.set(size_t(fd));
        // The lowest free number: this one, as those below it are open.
        const int nNull = open("/dev/null", O_RDWR);
        if (nNull >= 0 && nNull != fd)
            close(nNull);
    }
    return closed;
}
