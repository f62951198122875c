// The varnixd child process of the controller tests.
#include "varnix/simulator.h"

#include <varnix/varnix.h>

#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace varnix::testing {

Simulator::Simulator(const std::vector<std::string>& options) {
    std::string pattern = (std::filesystem::temp_directory_path() / "varnix-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return;
    folder_ = pattern;
    const std::string portFile = (folder_ / "ports").string();
    std::vector<std::string> arguments = {VARNIXD_PATH,
                                          "--port",
                                          "0",
                                          "--discovery-port",
                                          "0",
                                          "--store",
                                          store().string(),
                                          "--port-file",
                                          portFile,
                                          "--log",
                                          (folder_ / "log").string()};
    arguments.insert(arguments.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) _exit(1);
        // Usage texts and sanitizer reports land beside the log, out of the test's output.
        const int output = open((folder_ / "output").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (output >= 0) {
            dup2(output, STDOUT_FILENO);
            dup2(output, STDERR_FILENO);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    // Generous: a sanitizer build on a loaded machine starts slowly.
    for (int attempt = 0; attempt < 400 && pid_ > 0; ++attempt) {
        std::ifstream ports(portFile);
        if (ports >> port_ >> discoveryPort_) return;
        port_ = 0;
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

Simulator::~Simulator() {
    stop();
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

void Simulator::kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

int Simulator::stop() {
    if (pid_ <= 0) return -1;
    ::kill(pid_, SIGTERM);
    for (int attempt = 0; attempt < 200; ++attempt) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill();
    return -1;
}

std::string Simulator::log() const {
    std::ifstream file(folder_ / "log");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

Session::Session(const std::vector<std::string>& options) : simulator(options) {
    if (simulator.ready() && VXC_OpenEth(simulator.address().c_str(), &handle) != VXC_OK) {
        handle = nullptr;
    }
}

Session::~Session() {
    if (handle != nullptr) VXC_Close(handle);
}

int unusedLoopbackPort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

ScopedEnvironment::ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    const char* previous = std::getenv(name);
    hadPrevious_ = previous != nullptr;
    if (hadPrevious_) previous_ = previous;
    setenv(name, value.c_str(), 1);
}

ScopedEnvironment::~ScopedEnvironment() {
    if (hadPrevious_) {
        setenv(name_.c_str(), previous_.c_str(), 1);
    } else {
        unsetenv(name_.c_str());
    }
}

}  // namespace varnix::testing
