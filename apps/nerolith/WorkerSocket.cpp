#include "WorkerSocket.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

#include <sys/socket.h>
#include <unistd.h>

namespace Nerolith::Cli {
namespace {

// Each message is whole (a packet socket), so a reply is never read in
// halves.
bool SendPacket(int socket, const void* data, std::size_t size, const int* descriptors, std::size_t descriptorCount)
{
    iovec part{const_cast<void*>(data), size};
    msghdr message{};
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    alignas(cmsghdr) char control[CMSG_SPACE(2 * sizeof(int))] = {};
    if (descriptorCount > 0) {
        message.msg_control = control;
        message.msg_controllen = CMSG_SPACE(descriptorCount * sizeof(int));
        cmsghdr* header = CMSG_FIRSTHDR(&message);
        header->cmsg_level = SOL_SOCKET;
        header->cmsg_type = SCM_RIGHTS;
        header->cmsg_len = CMSG_LEN(descriptorCount * sizeof(int));
        std::memcpy(CMSG_DATA(header), descriptors, descriptorCount * sizeof(int));
    }
    for (;;) {
        const ssize_t sent = ::sendmsg(socket, &message, MSG_NOSIGNAL);
        if (sent >= 0 || errno != EINTR) {
            return sent == static_cast<ssize_t>(size);
        }
    }
}

// The packet's size, 0 at the end of the line (or on failure); received
// descriptors are written to `descriptors`, -1 where none came.
std::size_t ReceivePacket(int socket, void* data, std::size_t size, int* descriptors, std::size_t descriptorCount)
{
    iovec part{data, size};
    msghdr message{};
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    alignas(cmsghdr) char control[CMSG_SPACE(2 * sizeof(int))] = {};
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    ssize_t got;
    do {
        got = ::recvmsg(socket, &message, 0);
    } while (got < 0 && errno == EINTR);
    for (std::size_t i = 0; i < descriptorCount; ++i) {
        descriptors[i] = -1;
    }
    for (cmsghdr* header = CMSG_FIRSTHDR(&message); header != nullptr; header = CMSG_NXTHDR(&message, header)) {
        if (header->cmsg_level != SOL_SOCKET || header->cmsg_type != SCM_RIGHTS) {
            continue;
        }
        const std::size_t count = (header->cmsg_len - CMSG_LEN(0)) / sizeof(int);
        int received[2];
        std::memcpy(received, CMSG_DATA(header), std::min<std::size_t>(count, 2) * sizeof(int));
        for (std::size_t i = 0; i < std::min<std::size_t>(count, 2); ++i) {
            if (i < descriptorCount) {
                descriptors[i] = received[i];
            } else {
                ::close(received[i]);
            }
        }
    }
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}

} // namespace

WorkerSocket WorkerSocket::Open()
{
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) != 0) {
        throw std::runtime_error(std::string("cannot open a line to a worker process: ") + std::strerror(errno));
    }
    return {ends[0], ends[1]};
}

bool SendJob(int socket, std::size_t index, int out, int err)
{
    const std::uint64_t number = index;
    const int descriptors[2] = {out, err};
    return SendPacket(socket, &number, sizeof number, descriptors, 2);
}

std::optional<HandedJob> ReceiveJob(int socket)
{
    std::uint64_t number = 0;
    int descriptors[2];
    const std::size_t got = ReceivePacket(socket, &number, sizeof number, descriptors, 2);
    if (got != sizeof number || descriptors[0] < 0 || descriptors[1] < 0) {
        for (const int descriptor : descriptors) {
            if (descriptor >= 0) {
                ::close(descriptor);
            }
        }
        return std::nullopt;
    }
    return HandedJob{static_cast<std::size_t>(number), descriptors[0], descriptors[1]};
}

bool SendStatus(int socket, int status)
{
    const std::int32_t value = status;
    return SendPacket(socket, &value, sizeof value, nullptr, 0);
}

std::optional<int> ReceiveStatus(int socket)
{
    std::int32_t value = 0;
    int none;
    if (ReceivePacket(socket, &value, sizeof value, &none, 0) != sizeof value) {
        return std::nullopt;
    }
    return value;
}

} // namespace Nerolith::Cli
