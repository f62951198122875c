// Socket calls over BSD sockets or Winsock.
#include "common/sockets.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace varnix {

#ifdef _WIN32

bool startSockets() {
    // Never cleaned up: the library may be called until the process ends.
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

Socket openSocket(int family, int type) {
    if (!startSockets()) return kNoSocket;
    const Socket s = WSASocketW(family, type, 0, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
    u_long nonBlocking = 1;
    if (s != kNoSocket && ioctlsocket(s, FIONBIO, &nonBlocking) != 0) {
        closesocket(s);
        return kNoSocket;
    }
    return s;
}

void closeSocket(Socket socket) {
    closesocket(socket);
}

int waitSockets(pollfd* sockets, unsigned count, int timeoutMs) {
    return WSAPoll(sockets, count, timeoutMs);
}

int lastSocketError() {
    return WSAGetLastError();
}

bool isInProgress(int error) {
    return error == WSAEWOULDBLOCK || error == WSAEINPROGRESS;
}

bool isRetry(int error) {
    return error == WSAEWOULDBLOCK || error == WSAEINTR;
}

#else

bool startSockets() {
    return true;
}

Socket openSocket(int family, int type) {
    return ::socket(family, type | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

void closeSocket(Socket socket) {
    ::close(socket);
}

int waitSockets(pollfd* sockets, unsigned count, int timeoutMs) {
    return ::poll(sockets, count, timeoutMs);
}

int lastSocketError() {
    return errno;
}

bool isInProgress(int error) {
    return error == EINPROGRESS;
}

bool isRetry(int error) {
    return error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}

#endif

}  // namespace varnix
