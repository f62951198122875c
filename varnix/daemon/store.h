// The simulator's program memory: one file per downloaded program in a folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnix::daemon {

class ProgramStore {
  public:
    explicit ProgramStore(std::string folder) : folder_(std::move(folder)) {}
    // A program name is a plain file name: no path separators, no "." or "..", no control
    // characters, at most 255 bytes.
    static bool validName(std::string_view name);
    // Writes to a temporary file and renames it into place, so a failed download never leaves
    // half a program under the name. Returns false on a file-system error.
    bool save(std::string_view name, std::string_view text) const;
    std::optional<std::string> load(std::string_view name) const;
    bool prepare() const;  // creates the folder when missing

  private:
    std::string folder_;
};

}  // namespace varnix::daemon
