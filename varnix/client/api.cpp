// The eight exported functions. Handles are tokens that are never handed out twice, kept in a
// registry, so a stale or foreign handle is recognised and refused instead of being followed (and
// a closed handle never comes to name a newer connection).
// Each connection has its own lock, so a slow controller delays only the calls that use it.
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "base/guarded_call.h"
#include "client/connection.h"
#include "client/search.h"
#include "varnix/varnix.h"

using lintrel::runGuarded;
using namespace varnix;

namespace {

struct Entry {
    std::mutex mutex;  // one request at a time on one connection
    std::unique_ptr<Connection> connection;
};

struct Registry {
    std::mutex mutex;
    std::map<void*, std::shared_ptr<Entry>> connections;
    std::uintptr_t lastToken = 0;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

int replyTimeoutMs() {
    return timeoutFromEnvironment("VARNIX_TIMEOUT_MS", 2000);
}

// Runs one request on the connection behind handle. The shared entry keeps the connection
// alive should VXC_Close remove it from the registry while the request runs.
Reply withConnection(VXC_HANDLE handle, std::string_view line, std::string_view payload,
                     int timeoutMs) {
    std::shared_ptr<Entry> entry;
    {
        Registry& all = registry();
        std::lock_guard lock(all.mutex);
        const auto found = all.connections.find(handle);
        if (handle == nullptr || found == all.connections.end()) return {VXC_ERR_HANDLE, {}};
        entry = found->second;
    }
    std::lock_guard lock(entry->mutex);
    return entry->connection->request(line, payload, timeoutMs);
}

void copyReply(std::string_view text, char* reply, unsigned int size) {
    const size_t count = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(reply, text.data(), count);
    reply[count] = '\0';
}

// The state and axis replies are plain decimal numbers.
bool readInteger(const std::string& text, long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return *end == '\0';
}

}  // namespace

extern "C" {

VARNIX_API int VXC_OpenEth(const char* address, VXC_HANDLE* handle) {
    return runGuarded(VXC_ERR_INTERNAL, [&]() -> int {
        if (address == nullptr || handle == nullptr) return VXC_ERR_ARGUMENT;
        const auto target = parseAddress(address, VXC_DEFAULT_PORT);
        if (!target) return VXC_ERR_ADDRESS;
        std::unique_ptr<Connection> connection;
        const int timeout = timeoutFromEnvironment("VARNIX_CONNECT_TIMEOUT_MS", 1500);
        if (const int code = Connection::open(*target, timeout, connection); code != VXC_OK) {
            return code;
        }
        // A listener that is not a controller must not count as one.
        const Reply hello = connection->request("HELLO", {}, replyTimeoutMs());
        if (hello.code != VXC_OK) return hello.code;
        if (hello.text.rfind("VARNIX ", 0) != 0) return VXC_ERR_REPLY;
        Registry& all = registry();
        std::lock_guard lock(all.mutex);
        void* key = reinterpret_cast<void*>(all.lastToken += 16);
        auto entry = std::make_shared<Entry>();
        entry->connection = std::move(connection);
        all.connections.emplace(key, std::move(entry));
        *handle = key;
        return VXC_OK;
    });
}

VARNIX_API int VXC_Close(VXC_HANDLE handle) {
    return runGuarded(VXC_ERR_INTERNAL, [&]() -> int {
        Registry& all = registry();
        std::lock_guard lock(all.mutex);
        const auto found = all.connections.find(handle);
        if (handle == nullptr || found == all.connections.end()) return VXC_ERR_HANDLE;
        all.connections.erase(found);  // the socket closes when the last request using it ends
        return VXC_OK;
    });
}

VARNIX_API int VXC_GetState(VXC_HANDLE handle, unsigned char* state) {
    return runGuarded(VXC_ERR_INTERNAL, [&]() -> int {
        const Reply reply = withConnection(handle, "STATE", {}, replyTimeoutMs());
        if (reply.code != VXC_OK) return reply.code;
        long value = 0;
        if (!readInteger(reply.text, value) || value < 0 || value > 255) return VXC_ERR_REPLY;
        if (state != nullptr) *state = static_cast<unsigned char>(value);
        return VXC_OK;
    });
}

VARNIX_API int VXC_GetAxises(VXC_HANDLE handle) {
    return runGuarded(-VXC_ERR_INTERNAL, [&]() -> int {
        const Reply reply = withConnection(handle, "AXES", {}, replyTimeoutMs());
        if (reply.code != VXC_OK) return -reply.code;
        long value = 0;
        if (!readInteger(reply.text, value) || value < 1 || value > 255) return -VXC_ERR_REPLY;
        return static_cast<int>(value);
    });
}

VARNIX_API int VXC_DirectCommand(VXC_HANDLE handle, const char* command, char* reply,
                                 unsigned int size) {
    return runGuarded(VXC_ERR_INTERNAL, [&]() -> int {
        if (reply != nullptr && size > 0) reply[0] = '\0';
        if (command == nullptr || reply == nullptr || size == 0) return VXC_ERR_ARGUMENT;
        // One command is one protocol line: a line break inside it would smuggle a second request.
        if (std::strpbrk(command, "\r\n") != nullptr) return VXC_ERR_ARGUMENT;
        const Reply answer =
            withConnection(handle, std::string("CMD ") + command, {}, replyTimeoutMs());
        if (answer.code != VXC_OK) return answer.code;
        copyReply(answer.text, reply, size);
        return VXC_OK;
    });
}

VARNIX_API int VXC_DownMem3File(VXC_HANDLE handle, const char* text, unsigned int length,
                                const char* name) {
    return runGuarded(VXC_ERR_INTERNAL, [&]() -> int {
        if (text == nullptr || name == nullptr || name[0] == '\0') return VXC_ERR_ARGUMENT;
        if (std::strpbrk(name, " \t\r\n") != nullptr || std::strlen(name) > 255) {
            return VXC_ERR_ARGUMENT;
        }
        // Larger programs take longer to travel and store: one extra second per MiB.
        const int timeout = replyTimeoutMs() + static_cast<int>(length / (1024 * 1024)) * 1000;
        const std::string line = "DOWN " + std::to_string(length) + " " + name;
        return withConnection(handle, line, std::string_view(text, length), timeout).code;
    });
}

VARNIX_API int VXC_SearchEth(char* buffer, unsigned int size, unsigned int timeoutMs) {
    return runGuarded(VXC_ERR_INTERNAL, [&]() -> int {
        if (buffer == nullptr || size == 0) return VXC_ERR_ARGUMENT;
        buffer[0] = '\0';
        const std::string found = searchControllers(configuredSearchAddresses(), timeoutMs, size);
        if (found.empty()) return VXC_ERR_NOT_FOUND;
        copyReply(found, buffer, size);
        return VXC_OK;
    });
}

VARNIX_API int VXC_GetMaxPciCards(void) {
    return runGuarded(0, [&]() -> int { return configuredPciCards(); });
}

}  // extern "C"
