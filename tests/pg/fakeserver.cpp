#include "fakeserver.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace pgtest {

FakeServer::FakeServer(Behaviour behaviour) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(listener_, 4) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("fake server: cannot listen on the loopback");
    port_ = ntohs(address.sin_port);
    // A silent server needs no thread: the kernel completes the handshake of
    // a listening socket, and nobody ever reads.
    if (behaviour == Behaviour::RefusesSsl) thread_ = std::thread([this] { answerOnce(); });
}

void FakeServer::answerOnce() {
    const int peer = ::accept(listener_, nullptr, nullptr);
    if (peer < 0) return;
    char request[8];
    if (::recv(peer, request, sizeof request, MSG_WAITALL) == sizeof request) {
        (void)::send(peer, "N", 1, 0);
        while (::recv(peer, request, sizeof request, 0) > 0) {
        }
    }
    ::close(peer);
}

FakeServer::~FakeServer() {
    ::shutdown(listener_, SHUT_RDWR);  // wakes a thread still waiting in accept
    if (thread_.joinable()) thread_.join();
    ::close(listener_);
}

}  // namespace pgtest
