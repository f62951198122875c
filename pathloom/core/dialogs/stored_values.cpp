// Round trips through the settings file's format.
#include "core/dialogs/stored_values.h"

#include <string>

#include "core/presets/stored_text.h"
#include "core/settings/profile_file.h"

namespace pathloom {

std::optional<Text> actionProblem(const Action& action) {
    const std::string_view name = action.name;
    if (name.empty() || name.find_first_of("=\r\n") != std::string_view::npos)
        return Text::ActionNameInvalid;
    if (action.text.find('&') != std::string::npos) return Text::ActionTextAmpersand;
    if (!ActionList::fitsEntry(action)) return Text::ActionTooLong;
    // Blanks around a name or a text, or quotes around a text, do not come back from the file.
    ProfileFile file;
    file.setSection("User action", {{action.name, encodeActionText(action.text)}});
    const ProfileEntries back = ProfileFile::parse(file.text()).section("User action");
    if (back.size() != 1 || back[0].first != action.name ||
        decodeActionText(back[0].second) != decodeActionText(encodeActionText(action.text)))
        return Text::ActionNotStorable;
    return std::nullopt;
}

bool survivesProfile(std::string_view stored) {
    ProfileFile file;
    file.set("Check", "Value", stored);
    const std::optional<std::string> back = ProfileFile::parse(file.text()).get("Check", "Value");
    return back && *back == stored;
}

bool presetTextStorable(std::string_view text) {
    // Every line break reads back as CR LF; anything else must come back byte for byte, which a
    // typed backslash-r-backslash-n would not.
    std::string lines;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines += "\r\n";
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            lines += text[i];
        }
    }
    const std::string stored = encodePresetText(text);
    return survivesProfile(stored) && decodePresetText(stored) == lines;
}

}  // namespace pathloom
