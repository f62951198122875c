// A writer of small PDF containers for the Illustrator tests: numbered objects, streams raw
// or deflated, and the page and private-data dictionaries an AI file carries.
#pragma once

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace lintrel::test {

inline std::string deflated(std::string_view data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size,
              reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size()), 9);
    out.resize(size);
    return out;
}

// A Zstandard frame holding `data` in raw blocks, the format's stored form (magic number, a
// frame header with a 128 KiB window, then blocks of at most 128 KiB, the last one marked).
inline std::string zstdStored(std::string_view data) {
    std::string out("\x28\xB5\x2F\xFD\x00\x38", 6);
    constexpr size_t kBlock = 128 * 1024;
    size_t at = 0;
    do {
        const size_t n = std::min(kBlock, data.size() - at);
        const uint32_t header = uint32_t(n) << 3 | (at + n == data.size() ? 1 : 0);
        for (int i = 0; i < 3; ++i)
            out += static_cast<char>(header >> (8 * i) & 0xFF);
        out += data.substr(at, n);
        at += n;
    } while (at < data.size());
    return out;
}

class PdfText {
  public:
    PdfText() : text_("%PDF-1.5\n%\xe2\xe3\xcf\xd3\n") {}

    int object(std::string_view body) {
        const int n = next_++;
        text_ += std::to_string(n) + " 0 obj\n" + std::string(body) + "\nendobj\n";
        return n;
    }
    // A stream object; `dict` holds entries besides /Length (e.g. "/Filter/FlateDecode").
    int stream(std::string_view data, std::string_view dict = "") {
        return object("<</Length " + std::to_string(data.size()) + std::string(dict) +
                      ">>\nstream\n" + std::string(data) + "\nendstream");
    }
    // A page drawing `contents` (an object reference or array text) and, when given, the
    // private data entries (e.g. "/AIPrivateData1 5 0 R/AIPrivateData2 6 0 R").
    int page(std::string_view contents, std::string_view privateData = "") {
        std::string piece;
        if (!privateData.empty())
            piece = "/PieceInfo<</Illustrator<</Private<<" + std::string(privateData) + ">>>>>>";
        return object("<</Type/Page/MediaBox[0 0 612 792]/Contents " + std::string(contents) +
                      piece + ">>");
    }
    static std::string ref(int n) { return std::to_string(n) + " 0 R"; }
    std::string str() const {
        return text_ + "trailer\n<</Size " + std::to_string(next_) + ">>\n%%EOF\n";
    }

  private:
    std::string text_;
    int next_ = 1;
};

}  // namespace lintrel::test
