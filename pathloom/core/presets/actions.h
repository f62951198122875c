// The operator's named actions: controller commands kept under a name, at most 30, offered by
// the action manager and by the before/after action dialog.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pathloom {

struct Action {
    std::string name;
    std::string text;  // several lines allowed, separated by CR LF

    bool operator==(const Action&) const = default;
};

class ActionList {
  public:
    static constexpr size_t kCapacity = 30;
    // Bytes of one action as the settings file stores it ("name=text", line breaks as "&").
    static constexpr size_t kEntryLimit = 1023;
    // Refusals show Text::ActionsFull and Text::ActionsEmpty (core/text/texts.h).

    ActionList() = default;
    // Keeps the first kCapacity actions.
    explicit ActionList(std::vector<Action> actions);

    const std::vector<Action>& items() const { return items_; }
    size_t size() const { return items_.size(); }
    bool full() const { return items_.size() >= kCapacity; }

    // False, and nothing added, when the list is full or the action is too long to store.
    bool add(Action action);
    // False for an index outside the list. Later actions move up.
    bool remove(size_t index);
    // False, and nothing changed, for an index outside the list or an action too long to store.
    bool replace(size_t index, Action action);
    static bool fitsEntry(const Action& action);
    // Index of the first action whose text equals `text` without regard to case; -1 for none.
    int findByText(std::string_view text) const;

  private:
    std::vector<Action> items_;
};

// Comparison of action and preset texts as the dialogs make it: ASCII letters without regard
// to case, every other byte exactly.
bool sameTextIgnoringCase(std::string_view a, std::string_view b);

}  // namespace pathloom
