// Decoding binary DXF. Drawings of R12 store a group code in one byte (255 escapes to a 16-bit
// code); later ones store every code in two bytes. The value's type follows from its code.
#include "import/dxf/dxf_binary.h"

#include <charconv>
#include <cstdint>
#include <cstring>

namespace lintrel::dxf {

namespace {

enum class ValueType { String, Double, Int16, Int32, Int64, Bool, Chunk };

bool within(int code, int low, int high) {
    return code >= low && code <= high;
}

// The value type of a group code, by the ranges of the DXF reference. Codes outside every
// range are read as strings, which keeps the data aligned for the codes that exist.
ValueType typeOf(int code) {
    if (within(code, 10, 59) || within(code, 110, 149) || within(code, 210, 239) ||
        within(code, 460, 469) || within(code, 1010, 1059))
        return ValueType::Double;
    if (within(code, 60, 79) || within(code, 170, 179) || within(code, 270, 289) ||
        within(code, 370, 389) || within(code, 400, 409) || within(code, 1060, 1070))
        return ValueType::Int16;
    if (within(code, 90, 99) || within(code, 420, 429) || within(code, 440, 459) || code == 1071)
        return ValueType::Int32;
    if (within(code, 160, 169)) return ValueType::Int64;
    if (within(code, 290, 299)) return ValueType::Bool;
    if (within(code, 310, 319) || code == 1004) return ValueType::Chunk;
    return ValueType::String;
}

// Reads little-endian values from the bytes; every read fails once the data is exhausted.
class ByteCursor {
  public:
    ByteCursor(std::string_view bytes, size_t at) : bytes_(bytes), at_(at) {}
    bool atEnd() const { return at_ >= bytes_.size(); }

    template <typename T>
    bool read(T& value) {
        if (bytes_.size() - at_ < sizeof(T)) return false;
        unsigned char raw[sizeof(T)];
        std::memcpy(raw, bytes_.data() + at_, sizeof(T));
        at_ += sizeof(T);
        uint64_t bits = 0;
        for (size_t i = sizeof(T); i-- > 0;)
            bits = bits << 8 | raw[i];
        if constexpr (sizeof(T) == 8) {
            std::memcpy(&value, &bits, sizeof(T));
        } else {
            using U = std::make_unsigned_t<T>;
            value = static_cast<T>(static_cast<U>(bits));
        }
        return true;
    }
    // A zero-terminated string; false when the data ends before its zero.
    bool readString(std::string_view& text) {
        const size_t zero = bytes_.find('\0', at_);
        if (zero == std::string_view::npos) return false;
        text = bytes_.substr(at_, zero - at_);
        at_ = zero + 1;
        return true;
    }
    bool readChunk(std::string_view& chunk) {
        uint8_t length = 0;
        if (!read(length) || bytes_.size() - at_ < length) return false;
        chunk = bytes_.substr(at_, length);
        at_ += length;
        return true;
    }

  private:
    std::string_view bytes_;
    size_t at_;
};

template <typename T>
void appendNumber(std::string& out, T value) {
    char digits[32];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, ec == std::errc() ? end : digits);
}

void appendString(std::string& out, std::string_view text) {
    for (const char c : text)
        out.push_back(c == '\n' || c == '\r' ? ' ' : c);
}

void appendHex(std::string& out, std::string_view chunk) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (const char c : chunk) {
        const auto byte = static_cast<unsigned char>(c);
        out.push_back(kDigits[byte >> 4]);
        out.push_back(kDigits[byte & 15]);
    }
}

// Reads one value of `type` and appends it as a text line's content.
bool appendValue(ByteCursor& in, ValueType type, std::string& out) {
    switch (type) {
        case ValueType::String: {
            std::string_view text;
            if (!in.readString(text)) return false;
            appendString(out, text);
            return true;
        }
        case ValueType::Double: {
            double value = 0;
            if (!in.read(value)) return false;
            appendNumber(out, value);
            return true;
        }
        case ValueType::Int16: {
            int16_t value = 0;
            if (!in.read(value)) return false;
            appendNumber(out, value);
            return true;
        }
        case ValueType::Int32: {
            int32_t value = 0;
            if (!in.read(value)) return false;
            appendNumber(out, value);
            return true;
        }
        case ValueType::Int64: {
            int64_t value = 0;
            if (!in.read(value)) return false;
            appendNumber(out, value);
            return true;
        }
        case ValueType::Bool: {
            uint8_t value = 0;
            if (!in.read(value)) return false;
            out.push_back(value ? '1' : '0');
            return true;
        }
        case ValueType::Chunk: {
            std::string_view chunk;
            if (!in.readChunk(chunk)) return false;
            appendHex(out, chunk);
            return true;
        }
    }
    return false;
}

}  // namespace

bool isBinaryDxf(std::string_view bytes) {
    return bytes.starts_with(kBinarySentinel);
}

std::string binaryDxfAsText(std::string_view bytes, BinaryFlaws& flaws) {
    std::string out;
    if (!isBinaryDxf(bytes)) return out;
    const size_t start = kBinarySentinel.size();
    // The first group is always code 0 with a name: two zero bytes before it mean two-byte codes.
    const bool wideCodes =
        bytes.size() > start + 1 && bytes[start] == '\0' && bytes[start + 1] == '\0';
    ByteCursor in(bytes, start);
    out.reserve(bytes.size() * 2);
    while (!in.atEnd()) {
        int code = 0;
        if (wideCodes) {
            int16_t wide = 0;
            if (!in.read(wide)) break;
            code = wide;
        } else {
            uint8_t narrow = 0;
            int16_t escaped = 0;
            if (!in.read(narrow) || (narrow == 255 && !in.read(escaped))) break;
            code = narrow == 255 ? escaped : narrow;
        }
        const size_t lineStart = out.size();
        appendNumber(out, code);
        out.push_back('\n');
        if (!appendValue(in, typeOf(code), out)) {
            out.resize(lineStart);
            flaws.truncated = true;
            return out;
        }
        out.push_back('\n');
    }
    if (!in.atEnd()) flaws.truncated = true;
    return out;
}

}  // namespace lintrel::dxf
