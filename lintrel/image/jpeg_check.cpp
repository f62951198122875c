// A check of JPEG Huffman tables before stb_image sees the file. The stb_image of our platform
// builds a table from a DHT segment without checking that its code counts sum to at most 256,
// and writes past the table when they do. The walk below visits every DHT segment that the
// decoder could reach, the way the decoder finds them, and refuses such tables.
#include "image/raster.h"

namespace lintrel {

namespace {

constexpr int kHuffmanSymbols = 256;

class JpegWalk {
  public:
    explicit JpegWalk(std::span<const uint8_t> bytes) : b_(bytes) {}

    bool tablesSound();

  private:
    bool atEnd() const { return i_ >= b_.size(); }
    // Past the end the decoder reads zeros.
    uint8_t get8() { return atEnd() ? 0 : b_[i_++]; }
    unsigned get16() {
        const unsigned high = get8();
        return high << 8 | get8();
    }
    bool huffmanSegmentSound();
    void skipEntropyCodedData();

    std::span<const uint8_t> b_;
    size_t i_ = 0;
};

// Reads the tables of a DHT segment as the decoder does: table after table while the declared
// length lasts, each read whole even where it overruns that length.
bool JpegWalk::huffmanSegmentSound() {
    long remaining = static_cast<long>(get16()) - 2;
    while (remaining > 0) {
        const unsigned q = get8();
        if (q >> 4 > 1 || (q & 15) > 3) return true;  // the decoder stops at this header
        int symbols = 0;
        for (int k = 0; k < 16; ++k)
            symbols += get8();
        if (symbols > kHuffmanSymbols) return false;
        i_ += static_cast<size_t>(symbols);
        remaining -= 17 + symbols;
    }
    return true;
}

// Entropy-coded data runs to the first marker other than a stuffed zero or a restart marker.
void JpegWalk::skipEntropyCodedData() {
    while (!atEnd()) {
        if (b_[i_] != 0xFF || i_ + 1 >= b_.size()) {
            ++i_;
            continue;
        }
        const uint8_t next = b_[i_ + 1];
        if (next == 0x00 || (next >= 0xD0 && next <= 0xD7)) {
            i_ += 2;
            continue;
        }
        return;
    }
}

bool JpegWalk::tablesSound() {
    // The decoder takes a start-of-image marker after any number of fill bytes.
    if (get8() != 0xFF) return true;
    uint8_t first = get8();
    while (first == 0xFF && !atEnd())
        first = get8();
    if (first != 0xD8) return true;  // not a JPEG
    while (!atEnd()) {
        if (get8() != 0xFF) continue;  // the decoder passes over bytes between segments
        uint8_t marker = get8();
        while (marker == 0xFF && !atEnd())
            marker = get8();
        if (marker == 0xD9) return true;  // end of image
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;
        if (marker == 0xC4) {
            if (!huffmanSegmentSound()) return false;
            continue;
        }
        const size_t start = i_;
        i_ = start + get16();
        if (marker == 0xDA) skipEntropyCodedData();
    }
    return true;
}

}  // namespace

bool jpegTablesSound(std::span<const uint8_t> bytes) {
    return JpegWalk(bytes).tablesSound();
}

}  // namespace lintrel
