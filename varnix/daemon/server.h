// The simulator's network side: a TCP listener and a UDP discovery socket on 127.0.0.1, one
// poll loop for every connection, the request log and the faults injected on request.
#pragma once

#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "daemon/controller.h"
#include "daemon/options.h"
#include "daemon/store.h"

namespace varnix::daemon {

class Server {
  public:
    Server(const Options& options, std::FILE* log);
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Binds the sockets and writes the port file; false with a message on failure.
    bool start(std::string& error);
    // Serves until stopRequested becomes non-zero.
    void serve(const volatile int& stopRequested);

  private:
    struct Delayed {
        long long due;
        std::string bytes;
    };
    struct Client {
        int fd = -1;
        std::string peer;
        std::string input;
        std::string output;
        std::deque<Delayed> delayed;
        long long acceptedAt = 0;
        long requests = 0;
        bool closeWhenFlushed = false;
        bool closed = false;
        // A download in progress: its tag, name and the bytes still expected.
        bool downloading = false;
        std::string downloadTag;
        std::string downloadName;
        size_t downloadLength = 0;
    };

    void acceptClients();
    void answerDiscovery();
    void readFrom(Client& client);
    void handleInput(Client& client);
    void handleLine(Client& client, const std::string& line);
    void finishDownload(Client& client);
    void reply(Client& client, const std::string& tag, int code, const std::string& text,
               bool command = false);
    void send(Client& client, std::string bytes);
    void flush(Client& client, long long now);
    void applyTimers(Client& client, long long now);
    int pollTimeout(long long now) const;
    void closeClient(Client& client, const char* why);
    void log(const char* format, ...) __attribute__((format(printf, 2, 3)));

    Options options_;
    std::FILE* log_;
    ProgramStore store_;
    Controller controller_;
    int listener_ = -1;
    int discovery_ = -1;
    unsigned short tcpPort_ = 0;
    unsigned short udpPort_ = 0;
    std::vector<Client> clients_;
};

}  // namespace varnix::daemon
