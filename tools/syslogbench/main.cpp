// syslogbench: sends COUNT syslog messages to 127.0.0.1:PORT, over one TCP
// connection as fast as it takes them (octet-counted and LF-ended frames in
// turn) or as UDP datagrams paced at PER_SECOND. Half are netfilter drop
// lines, half ordinary ones; each carries its number.
#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <netinet/in.h>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include "tcp_socket.h"

namespace {

constexpr const char* kUsage =
    "usage: syslogbench tcp PORT COUNT\n"
    "       syslogbench udp PORT COUNT PER_SECOND\n";
constexpr std::size_t kChunkBytes = 1 << 16;

std::string Message(unsigned long index) {
    const std::string number = std::to_string(index);
    if (index % 2 == 0) {
        return "<4>Oct 11 22:14:15 bench kernel: DROP IN=ppp0 OUT= SRC=198.18." + std::to_string(index >> 8 & 255) +
               "." + std::to_string(index & 255) + " DST=198.19.0.1 LEN=60 PROTO=TCP SPT=4444 DPT=23 SEQ=" + number;
    }
    return "<30>Oct 11 22:14:15 bench dnsmasq[42]: query[A] host" + number + ".example from 198.19.0.2";
}

bool SendTcp(std::uint16_t port, unsigned long count) {
    TcpSocket socket;
    if (!socket.Create() || !socket.Connect("127.0.0.1", port)) return false;
    std::string chunk;
    for (unsigned long i = 0; i < count; ++i) {
        const auto message = Message(i);
        if (i % 2 == 0) {
            chunk += std::to_string(message.size()) + ' ' + message;
        } else {
            chunk += message + '\n';
        }
        if (chunk.size() < kChunkBytes && i + 1 < count) continue;
        if (!socket.SendAll(chunk.data(), chunk.size())) return false;
        chunk.clear();
    }
    return true;
}

bool SendUdp(std::uint16_t port, unsigned long count, unsigned long perSecond) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0) return false;
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    target.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const auto start = std::chrono::steady_clock::now();
    unsigned long sent = 0;
    for (unsigned long tick = 1; sent < count; ++tick) {
        // Each millisecond brings the total up to what the pace allows by then.
        const unsigned long due = std::min(count, perSecond * tick / 1000);
        for (; sent < due; ++sent) {
            const auto message = Message(sent);
            if (::sendto(fd, message.data(), message.size(), 0, reinterpret_cast<const sockaddr*>(&target),
                         sizeof target) != static_cast<ssize_t>(message.size())) {
                ::close(fd);
                return false;
            }
        }
        std::this_thread::sleep_until(start + std::chrono::milliseconds(tick));
    }
    ::close(fd);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view mode = argc > 1 ? argv[1] : "";
    if (!((mode == "tcp" && argc == 4) || (mode == "udp" && argc == 5))) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const auto port = static_cast<std::uint16_t>(std::strtoul(argv[2], nullptr, 10));
    const unsigned long count = std::strtoul(argv[3], nullptr, 10);
    const auto start = std::chrono::steady_clock::now();
    const bool sent = mode == "tcp" ? SendTcp(port, count) : SendUdp(port, count, std::strtoul(argv[4], nullptr, 10));
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    if (!sent) {
        std::perror("syslogbench: send failed");
        return 1;
    }
    std::printf("sent %lu messages over %s in %.2f s\n", count, argv[1], seconds.count());
    return 0;
}
