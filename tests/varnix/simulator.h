// Starts varnixd as a child process on a port the system picks, in a private folder, and kills it
// when the test ends (the child also dies with the test process, so no simulator outlives a
// failed test).
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace varnix::testing {

class Simulator {
  public:
    explicit Simulator(const std::vector<std::string>& options = {});
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    bool ready() const { return port_ > 0; }
    int port() const { return port_; }
    int discoveryPort() const { return discoveryPort_; }
    std::string address() const { return "127.0.0.1:" + std::to_string(port_); }
    std::filesystem::path store() const { return folder_ / "store"; }
    std::string log() const;
    void kill();  // ends the simulator at once, as a pulled cable or a crash would
    // Asks the simulator to end (SIGTERM) and returns its exit status; -1 when it did not end
    // within ten seconds and had to be killed, or was not running.
    int stop();

  private:
    pid_t pid_ = -1;
    int port_ = 0;
    int discoveryPort_ = 0;
    std::filesystem::path folder_;
};

// A simulator with one open connection, closed before the simulator ends.
class Session {
  public:
    explicit Session(const std::vector<std::string>& options = {});
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    bool ready() const { return handle != nullptr; }

    Simulator simulator;
    void* handle = nullptr;
};

// A loopback port that nothing listens on (bound, read and released).
int unusedLoopbackPort();

// Sets an environment variable for the lifetime of the object.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const std::string& value);
    ~ScopedEnvironment();

  private:
    std::string name_;
    std::string previous_;
    bool hadPrevious_;
};

}  // namespace varnix::testing
