// The controller session: connection state, poll, download and search.
#include "core/controller/controller_session.h"

#include <algorithm>

#include "core/text/texts.h"

namespace pathloom {

ControllerSession::ControllerSession(VxcCalls calls)
    : calls_(std::move(calls)),
      link_([this] { return connected(); },
            [this](const char* command, char* reply, int size) {
                return calls_.directCommand(handle_, command, reply, static_cast<unsigned>(size));
            }) {}

ControllerSession::~ControllerSession() {
    disconnect();
}

int ControllerSession::axisCountFrom(int answer) {
    if (answer <= 0) return kUnknownAxes;
    const int low = answer & 0xFF;
    return low > 0 ? low : kUnknownAxes;
}

int ControllerSession::connect(const std::string& address) {
    void* handle = nullptr;
    const int code = calls_.openEth(address.c_str(), &handle);
    if (code != 0) return code;
    if (handle_ && handle_ != handle) calls_.close(handle_);
    handle_ = handle;
    address_ = address;
    axisCount_ = axisCountFrom(calls_.getAxises(handle_));
    return 0;
}

void ControllerSession::forget() {
    handle_ = nullptr;
    address_.clear();
    axisCount_ = kUnknownAxes;
}

void ControllerSession::disconnect() {
    if (!handle_) return;
    calls_.close(handle_);
    forget();
}

int ControllerSession::poll() {
    if (!handle_) return 0;
    unsigned char state = 0;
    const int code = calls_.getState(handle_, &state);
    if (code != 0) disconnect();
    return code;
}

int ControllerSession::download(std::string_view text, const std::string& name) {
    const std::string program(text);
    return calls_.downMem3File(handle_, program.c_str(), static_cast<unsigned>(program.size()),
                               name.c_str());
}

std::string ControllerSession::label() const {
    return connected() ? address_ : std::string(text(Text::NotConnected));
}

std::vector<std::string> ControllerSession::searchEntries(int found, int pciCards,
                                                          std::string_view reply) {
    std::vector<std::string> entries = {"127.0.0.1"};
    if (found != 0) return entries;
    for (int i = 1; i <= pciCards; ++i) {
        std::string name = "PCI" + std::to_string(i);
        if (std::find(entries.begin(), entries.end(), name) == entries.end())
            entries.push_back(std::move(name));
    }
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    size_t at = 0;
    for (int words = 0; words < kMaxSearchWords; ++words) {
        while (at < reply.size() && blank(reply[at]))
            ++at;
        if (at >= reply.size()) break;
        size_t end = at;
        while (end < reply.size() && !blank(reply[end]))
            ++end;
        entries.emplace_back(reply.substr(at, end - at));
        at = end;
    }
    return entries;
}

std::vector<std::string> ControllerSession::search() const {
    std::string buffer(kSearchBufferSize, '\0');
    const int found = calls_.searchEth(buffer.data(), kSearchBufferSize, kSearchTimeoutMs);
    buffer.back() = '\0';
    buffer.resize(buffer.find('\0'));
    const int cards = found == 0 ? calls_.getMaxPciCards() : 0;
    return searchEntries(found, cards, buffer);
}

}  // namespace pathloom
