// The action text rule of both program languages.
#include "core/codegen/program_buffer.h"

namespace pathloom {

void ProgramBuffer::action(std::string_view text, bool processAction) {
    size_t lineStart = 0;
    size_t i = 0;
    while (i < text.size()) {
        size_t breakLength = 0;
        if (text[i] == '\n')
            breakLength = 1;
        else if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            breakLength = 2;
        else if (processAction && text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n')
            breakLength = 2;
        if (breakLength == 0) {
            ++i;
            continue;
        }
        line(text.substr(lineStart, i - lineStart));
        i += breakLength;
        lineStart = i;
    }
    line(text.substr(lineStart));
}

}  // namespace pathloom
