// The bounded action list.
#include "core/presets/actions.h"

#include <utility>

#include "core/presets/stored_text.h"

namespace pathloom {

bool sameTextIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

ActionList::ActionList(std::vector<Action> actions) : items_(std::move(actions)) {
    if (items_.size() > kCapacity) items_.resize(kCapacity);
}

bool ActionList::fitsEntry(const Action& action) {
    return action.name.size() + 1 + encodeActionText(action.text).size() <= kEntryLimit;
}

bool ActionList::add(Action action) {
    if (full() || !fitsEntry(action)) return false;
    items_.push_back(std::move(action));
    return true;
}

bool ActionList::remove(size_t index) {
    if (index >= items_.size()) return false;
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

bool ActionList::replace(size_t index, Action action) {
    if (index >= items_.size() || !fitsEntry(action)) return false;
    items_[index] = std::move(action);
    return true;
}

int ActionList::findByText(std::string_view text) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (sameTextIgnoringCase(items_[i].text, text)) return static_cast<int>(i);
    return -1;
}

}  // namespace pathloom
