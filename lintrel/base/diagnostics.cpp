// The diagnostics list of one import.
#include "base/diagnostics.h"

namespace lintrel {

void ImportDiagnostics::note(int code, std::string_view text, long count) {
    for (Diagnostic& d : items_)
        if (d.code == code) {
            d.count += count;
            return;
        }
    items_.push_back({code, count, std::string(text)});
}

long ImportDiagnostics::countOf(int code) const {
    for (const Diagnostic& d : items_)
        if (d.code == code) return d.count;
    return 0;
}

}  // namespace lintrel
