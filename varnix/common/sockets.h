// The few socket calls the controller client makes, over BSD sockets on POSIX systems and over
// Winsock on Windows: the socket type, closing, non-blocking mode, waiting and the error codes
// that mean "try again later".
#pragma once

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#endif

namespace varnix {

#ifdef _WIN32
using Socket = SOCKET;
inline constexpr Socket kNoSocket = INVALID_SOCKET;
#else
using Socket = int;
inline constexpr Socket kNoSocket = -1;
#endif

// Starts the socket layer once per process (Winsock needs it); false when it cannot start.
bool startSockets();

// A non-blocking socket that child processes do not inherit, or kNoSocket.
Socket openSocket(int family, int type);
void closeSocket(Socket socket);

// poll() over the given sockets.
int waitSockets(pollfd* sockets, unsigned count, int timeoutMs);

// The error of the last failed socket call, and what it means.
int lastSocketError();
bool isInProgress(int error);  // a non-blocking connect has started
bool isRetry(int error);       // nothing to read or no room to write yet, or interrupted

// Flag for send(): no SIGPIPE where the system would raise one.
#ifdef MSG_NOSIGNAL
inline constexpr int kSendFlags = MSG_NOSIGNAL;
#else
inline constexpr int kSendFlags = 0;
#endif

}  // namespace varnix
