// Splitting HPGL plotter text into instructions: a two-letter mnemonic and its numbers, ended by
// ";", by the next mnemonic or by the end of the data. Labels, comments and encoded polylines
// keep their raw text; device escape sequences and stray bytes are passed over.
#pragma once

#include <string_view>
#include <vector>

namespace lintrel::hpgl {

struct Instruction {
    char name[2] = {0, 0};        // the mnemonic, upper case
    std::vector<double> numbers;  // the numeric parameters in order
    std::string_view text;        // raw data of labels, comments and encoded polylines
    bool badParameters = false;   // something other than a number stood among the parameters
    bool is(char a, char b) const { return name[0] == a && name[1] == b; }
};

class Lexer {
  public:
    explicit Lexer(std::string_view bytes) : in_(bytes) {}
    // Reads the next instruction; false at the end of the data.
    bool next(Instruction& out);
    long skippedBytes() const { return skippedBytes_; }
    long deviceControls() const { return deviceControls_; }

  private:
    bool atLetter() const;
    void skipDeviceControl();
    void readNumbers(Instruction& out);
    std::string_view readUntil(char terminator, bool consumeTerminator);
    void readTerminatorDefinition(Instruction& out);

    std::string_view in_;
    size_t pos_ = 0;
    char labelEnd_ = '\x03';  // ends a label; DT changes it
    long skippedBytes_ = 0;
    long deviceControls_ = 0;
};

}  // namespace lintrel::hpgl
