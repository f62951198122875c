// One connection to the motion controller as the desktop program and the converter hold it:
// connect with the axis-count rule, the connection label, the poll, the download and the search
// entries of the connect dialog. The controller library's calls are handed in, so tests can
// answer them without a controller; varnixCalls() binds the real ones (the engine links
// libvarnix).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/controller/direct_command_link.h"

namespace pathloom {

// The calls of the controller library the session makes, in its argument order.
struct VxcCalls {
    std::function<int(const char* address, void** handle)> openEth;
    std::function<int(void* handle)> close;
    std::function<int(void* handle, unsigned char* state)> getState;
    std::function<int(void* handle)> getAxises;
    std::function<int(void* handle, const char* command, char* reply, unsigned size)> directCommand;
    std::function<int(void* handle, const char* text, unsigned length, const char* name)>
        downMem3File;
    std::function<int(char* buffer, unsigned size, unsigned timeoutMs)> searchEth;
    std::function<int()> getMaxPciCards;
};

// The real library: Lintrel_OpenEth for the connection, the VXC_* functions for the rest.
VxcCalls varnixCalls();

class ControllerSession {
  public:
    // The axis count while not connected, and when the controller's answer is unusable.
    static constexpr int kUnknownAxes = 64;
    // Period of the connection poll.
    static constexpr int kPollMilliseconds = 1000;
    static constexpr unsigned kSearchBufferSize = 10240;
    static constexpr unsigned kSearchTimeoutMs = 100;
    static constexpr int kMaxSearchWords = 20;

    explicit ControllerSession(VxcCalls calls);
    ~ControllerSession();
    ControllerSession(const ControllerSession&) = delete;
    ControllerSession& operator=(const ControllerSession&) = delete;

    bool connected() const { return handle_ != nullptr; }
    // 0 on success: the label becomes the address and the axis count the controller's. Any
    // other code leaves the session as it was.
    int connect(const std::string& address);
    void disconnect();
    // Asks the controller's state. 0 while the connection stands (or there is none); on any
    // other code the connection is closed and the session is not connected.
    int poll();
    // Sends `text` as the program file `name`. Without a connection the library's code for a
    // missing handle is returned.
    int download(std::string_view text, const std::string& name);
    // The connect dialog's list: "127.0.0.1", then PCI1 ... PCIn, then the addresses found.
    // A `typed` address ("host" or "host:port") is asked as well, beside the configured ones,
    // and joins the list when a controller answers there.
    std::vector<std::string> search(std::string_view typed = {}) const;

    int axisCount() const { return axisCount_; }
    // The address while connected, the "not connected" text otherwise.
    std::string label() const;
    // Position queries and assignments of the program writers, over this connection.
    ControllerLink* link() { return &link_; }

    // The axis count from the library's answer: its low byte; a failure (0 or less) or a low
    // byte of 0 keeps kUnknownAxes.
    static int axisCountFrom(int answer);
    // The search entries from the library's results (`found` is the search's result code).
    static std::vector<std::string> searchEntries(int found, int pciCards, std::string_view reply);

  private:
    void forget();

    VxcCalls calls_;
    void* handle_ = nullptr;
    std::string address_;
    int axisCount_ = kUnknownAxes;
    DirectCommandLink link_;
};

}  // namespace pathloom
