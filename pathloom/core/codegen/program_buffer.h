// The growing text of a program being written: whole lines assembled from literal pieces and
// numbers, the line counter, the line map and the rule that copies action texts line by line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/codegen/number_format.h"

namespace pathloom {

class ProgramBuffer {
  public:
    // Writes one line from its pieces: texts as they are, doubles with the buffer's decimals
    // ("%.4lf" unless set otherwise), ints as "%d".
    template <class... Pieces>
    void line(const Pieces&... pieces) {
        (put(pieces), ...);
        text_ += "\r\n";
        ++lines_;
    }

    // Copies an action text: a line ends at LF or CR LF, and for a process's start and end
    // actions also at the two characters backslash and n. The characters after the last line
    // end always make one more line, even when there are none.
    void action(std::string_view text, bool processAction);

    void beginVect() { lineMap_.push_back(lines_); }
    void endVect() { lineMap_.push_back(lines_ - 1); }

    void setDecimals(int decimals) { decimals_ = decimals; }
    int lines() const { return lines_; }
    std::string& text() { return text_; }
    std::vector<int>& lineMap() { return lineMap_; }

  private:
    void put(std::string_view piece) { text_.append(piece); }
    void put(double value) {
        if (decimals_ == 4)
            appendFixed4(text_, value);
        else
            text_ += fixedText(value, decimals_);
    }
    void put(int value) { appendInt(text_, value); }

    std::string text_;
    int lines_ = 0;
    int decimals_ = 4;
    std::vector<int> lineMap_;
};

}  // namespace pathloom
