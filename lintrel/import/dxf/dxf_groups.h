// The lowest layer of the DXF reader: lines and group-code/value pairs over a file held in
// memory, and the number conversions every value goes through. Nothing here allocates per line;
// values are views into the buffer (or into a scratch line when tabs or carriage returns had to
// be dropped from the middle of a line).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lintrel::dxf {

// The code a group reads as when its code or value line cannot be read.
inline constexpr int kNoGroup = -10;

struct Group {
    int code = kNoGroup;
    std::string_view value;
};

// Decimal integer of a group code or integer value: leading blanks skipped, an optional sign,
// digits up to the first other character; no digits give 0. Values beyond the int range are
// clamped rather than wrapped.
// A value without digits is malformed and adds one to `malformed`.
int parseInt(std::string_view text, long& malformed);
// Decimal number of a value: leading blanks skipped, an optional sign, digits, a fraction and an
// exponent, up to the first character that does not fit; no digits give 0. Words such as "nan"
// or "inf" are not numbers, and a value outside the double range is malformed and gives 0, so
// that nothing but finite numbers reaches the path model. A malformed value adds one to
// `malformed`.
double parseDouble(std::string_view text, long& malformed);
// The same for values read a second time (the raw groups of texts at conversion), whose flaws
// were counted when they were first read.
int parseInt(std::string_view text);
double parseDouble(std::string_view text);

class GroupReader {
  public:
    explicit GroupReader(std::string_view buffer) : buffer_(buffer) {}

    // Back to the beginning of the buffer, as every pass starts.
    void rewind() {
        cursor_ = 0;
        ended_ = false;
        atMarker_ = false;
    }
    bool ended() const { return ended_; }
    // True when the data ended at the EOF marker rather than at the end of the buffer.
    bool endedAtMarker() const { return ended_ && atMarker_; }

    // Reads the next group; false (and code kNoGroup) at the end of data.
    bool next(Group& group);
    // A group's value as a number, counted when malformed.
    double real(std::string_view value) { return parseDouble(value, malformedNumbers_); }
    int integer(std::string_view value) { return parseInt(value, malformedNumbers_); }
    // The malformed numeric values read through real() and integer() so far.
    long malformedNumbers() const { return malformedNumbers_; }
    // Reads groups until one has `code` and `value`; false at the end of data. Every pass
    // starts by skipping to its section or table, so the code 2 groups met on the way are
    // remembered: a later pass finds its opening pair without scanning the file again.
    bool skipTo(int code, std::string_view value);

    // A position to come back to when a group was read one too far.
    struct Mark {
        size_t cursor;
        bool ended;
        bool atMarker = false;
    };
    Mark mark() const { return {cursor_, ended_, atMarker_}; }
    void reset(Mark m) {
        cursor_ = m.cursor;
        ended_ = m.ended;
        atMarker_ = m.atMarker;
    }

  private:
    bool readLine(std::string_view& line, std::string& scratch);

    bool findLandmark(std::string_view value);

    // A code 2 group seen while skipping: where it starts, where the group after it starts.
    struct Landmark {
        size_t start;
        Mark after;
        std::string value;
    };

    std::string_view buffer_;
    size_t cursor_ = 0;
    bool ended_ = false;
    bool atMarker_ = false;
    std::vector<Landmark> landmarks_;  // in file order
    size_t scanned_ = 0;               // landmarks are known up to here
    bool scannedToEnd_ = false;
    std::string codeScratch_;
    std::string valueScratch_;
    long malformedNumbers_ = 0;
};

}  // namespace lintrel::dxf
