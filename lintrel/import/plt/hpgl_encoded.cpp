// Encoded polyline data. A number is a run of digits, least significant first: in eight-bit
// mode digits 63-126 continue and 191-254 end a number (base 64); in seven-bit mode 63-94
// continue and 95-126 end it (base 32). The low bit of the value is its sign. Flags: ":" pen,
// "<" next move with the pen up, ">" fractional bits, "=" next pair absolute, "7" seven-bit mode.
#include "import/plt/hpgl_encoded.h"

#include <cmath>
#include <cstdint>

namespace lintrel::hpgl {

namespace {

class Decoder {
  public:
    explicit Decoder(std::string_view data) : data_(data) {}

    // Reads one signed number; false when the data ends before its last digit.
    bool number(double& out) {
        uint64_t magnitude = 0;
        double scale = 1;
        while (pos_ < data_.size()) {
            const auto c = static_cast<unsigned char>(data_[pos_++]);
            int digit = -1;
            bool last = false;
            if (sevenBit_) {
                if (c >= 63 && c <= 94) digit = c - 63;
                if (c >= 95 && c <= 126) digit = c - 95, last = true;
            } else {
                if (c >= 63 && c <= 126) digit = c - 63;
                if (c >= 191 && c <= 254) digit = c - 191, last = true;
            }
            if (digit < 0) continue;  // blanks and line ends inside the data
            // Numbers beyond 2^53 lose their low digits; far larger ones stop growing.
            if (scale < 1e18) magnitude += static_cast<uint64_t>(digit * scale);
            scale *= sevenBit_ ? 32 : 64;
            if (last) {
                const double value = static_cast<double>(magnitude >> 1);
                out = (magnitude & 1) ? -value : value;
                return true;
            }
        }
        return false;
    }

    bool decode(std::vector<EncodedStep>& out) {
        bool penUp = false, absolute = false;
        int fractionBits = 0;
        while (pos_ < data_.size()) {
            const char c = data_[pos_];
            if (c == '7' || c == ':' || c == '<' || c == '>' || c == '=') {
                ++pos_;
                if (c == '7') sevenBit_ = true;
                if (c == '<') penUp = true;
                if (c == '=') absolute = true;
                if (c == ':' || c == '>') {
                    double value = 0;
                    if (!number(value)) return false;
                    // The remainder is taken in floating point: a huge value must not be
                    // converted to int first.
                    if (c == '>')
                        fractionBits = std::isfinite(value)
                                           ? static_cast<int>(std::fmod(std::fabs(value), 64.0))
                                           : 0;
                    if (c == ':') out.push_back({true, clampPen(value)});
                }
                continue;
            }
            const auto u = static_cast<unsigned char>(c);
            if (u < 63 || (u > 126 && u < 191) || u > 254) {
                ++pos_;
                continue;
            }
            EncodedStep step;
            if (!number(step.x)) return false;
            if (!number(step.y)) return false;
            const double divisor = std::ldexp(1.0, fractionBits);
            step.x /= divisor;
            step.y /= divisor;
            step.penUp = penUp;
            step.absolute = absolute;
            out.push_back(step);
            penUp = absolute = false;
        }
        return true;
    }

  private:
    static int clampPen(double value) {
        return value > 1e6 ? 1000000 : value < -1e6 ? -1000000 : static_cast<int>(value);
    }

    std::string_view data_;
    size_t pos_ = 0;
    bool sevenBit_ = false;
};

}  // namespace

bool decodeEncoded(std::string_view data, std::vector<EncodedStep>& out) {
    return Decoder(data).decode(out);
}

}  // namespace lintrel::hpgl
