// The controller session: connection state, poll, download and search.
#include "core/controller/controller_session.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

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

namespace {

// The library asks the addresses that VARNIX_SEARCH_ADDRESSES names; for one search it names
// the typed address alone, and afterwards what it named before.
class SearchAddresses {
  public:
    explicit SearchAddresses(const std::string& addresses) {
        if (const char* before = std::getenv(kName)) before_ = before;
        ::setenv(kName, addresses.c_str(), 1);
    }
    ~SearchAddresses() {
        if (before_)
            ::setenv(kName, before_->c_str(), 1);
        else
            ::unsetenv(kName);
    }
    SearchAddresses(const SearchAddresses&) = delete;
    SearchAddresses& operator=(const SearchAddresses&) = delete;

  private:
    static constexpr const char* kName = "VARNIX_SEARCH_ADDRESSES";
    std::optional<std::string> before_;
};

}  // namespace

std::vector<std::string> ControllerSession::search(std::string_view typed) const {
    const auto ask = [this](int& found) {
        std::string buffer(kSearchBufferSize, '\0');
        found = calls_.searchEth(buffer.data(), kSearchBufferSize, kSearchTimeoutMs);
        buffer.back() = '\0';
        buffer.resize(buffer.find('\0'));
        return buffer;
    };
    int found = 0;
    const std::string reply = ask(found);
    const int cards = found == 0 ? calls_.getMaxPciCards() : 0;
    std::vector<std::string> entries = searchEntries(found, cards, reply);
    // Blanks and commas separate addresses in the variable: such a text is no one address.
    const bool oneAddress = !typed.empty() && typed.find_first_of(" \t,") == std::string_view::npos;
    if (!oneAddress) return entries;
    int typedFound = 0;
    std::string typedReply;
    {
        const SearchAddresses only{std::string(typed)};
        typedReply = ask(typedFound);
    }
    if (typedFound != 0) return entries;
    for (const std::string& entry : searchEntries(0, 0, typedReply))
        if (std::find(entries.begin(), entries.end(), entry) == entries.end())
            entries.push_back(entry);
    return entries;
}

}  // namespace pathloom
