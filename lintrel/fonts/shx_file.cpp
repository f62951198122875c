// Reading the three SHX layouts. Numbers are little-endian; an index entry that points outside
// the file is dropped, so a damaged font loses glyphs but never reads beyond its bytes.
#include "fonts/shx_file.h"

#include <cstring>
#include <string_view>

#include "platform/file_bytes.h"

namespace lintrel::fonts {

namespace {

class Cursor {
  public:
    explicit Cursor(std::span<const uint8_t> b, size_t at = 0) : b_(b), at_(at) {}
    bool has(size_t n) const { return at_ <= b_.size() && b_.size() - at_ >= n; }
    unsigned u16() {
        if (!has(2)) return fail();
        const unsigned v = b_[at_] | (b_[at_ + 1] << 8);
        at_ += 2;
        return v;
    }
    unsigned long u32() {
        if (!has(4)) return fail();
        const unsigned long v = b_[at_] | (b_[at_ + 1] << 8) | (b_[at_ + 2] << 16) |
                                (static_cast<unsigned long>(b_[at_ + 3]) << 24);
        at_ += 4;
        return v;
    }
    void skip(size_t n) { at_ = has(n) ? at_ + n : b_.size() + 1; }
    size_t at() const { return at_; }
    bool ok() const { return ok_; }

  private:
    unsigned fail() {
        ok_ = false;
        at_ = b_.size() + 1;
        return 0;
    }
    std::span<const uint8_t> b_;
    size_t at_;
    bool ok_ = true;
};

bool startsWith(const std::vector<uint8_t>& b, std::string_view sig) {
    return b.size() >= sig.size() && std::memcmp(b.data(), sig.data(), sig.size()) == 0;
}

}  // namespace

std::unique_ptr<ShxFile> ShxFile::load(const std::string& path) {
    FileBytes file;
    if (!file.open(path.c_str())) return nullptr;
    const std::string_view read = file.bytes();
    auto font = fromBytes(std::vector<uint8_t>(read.begin(), read.end()));
    return font->status() == 0 ? std::move(font) : nullptr;
}

std::unique_ptr<ShxFile> ShxFile::fromBytes(std::vector<uint8_t> bytes) {
    std::unique_ptr<ShxFile> font(new ShxFile());
    font->bytes_ = std::move(bytes);
    font->parse();
    return font;
}

void ShxFile::parse() {
    if (startsWith(bytes_, "AutoCAD-86 unifont 1.0\r\n")) {
        kind_ = ShxKind::Unicode;
        parseUnicode();
    } else if (startsWith(bytes_, "AutoCAD-86 shapes 1.")) {
        kind_ = ShxKind::Shape;
        parseShapes();
    } else if (startsWith(bytes_, "AutoCAD-86")) {
        kind_ = ShxKind::Big;
        parseBig();
    } else {
        status_ = shx::kBadSignature;
    }
}

// Definitions follow the index one after the other; shape 0 carries the font information: its
// name, NUL-terminated, then the above value.
void ShxFile::parseShapes() {
    Cursor c(bytes_, 24);
    first_ = c.u16();
    last_ = c.u16();
    const unsigned count = c.u16();
    size_t offset = 32 + 4 * static_cast<size_t>(count);
    for (unsigned i = 0; i < count && c.ok(); ++i) {
        const unsigned code = c.u16();
        const unsigned length = c.u16();
        if (!c.ok() || offset + length > bytes_.size()) break;
        index_.emplace(code, Definition{std::span<const uint8_t>(bytes_).subspan(offset, length)});
        offset += length;
    }
    if (const auto info = index_.find(0); info != index_.end()) {
        const auto d = info->second.bytes;
        for (size_t k = 0; k + 1 < d.size(); ++k)
            if (d[k] == 0) {
                if (d[k + 1] > 0) above_ = d[k + 1];
                break;
            }
    }
}

void ShxFile::parseUnicode() {
    Cursor c(bytes_, 25);
    const unsigned long count = c.u32();
    const unsigned infoLength = c.u16();
    if (!c.ok() || infoLength >= 256 || infoLength < 6 || !c.has(infoLength)) {
        status_ = shx::kBadSignature;
        return;
    }
    c.skip(infoLength - 6);
    if (const uint8_t a = bytes_[c.at()]; a > 0) above_ = a;
    c.skip(6);
    for (unsigned long i = 0; i < count && c.has(4); ++i) {
        const unsigned code = c.u16();
        const unsigned length = c.u16();
        if (!c.has(length)) break;
        index_.emplace(code, Definition{std::span<const uint8_t>(bytes_).subspan(c.at(), length)});
        c.skip(length);
    }
}

void ShxFile::parseBig() {
    Cursor c(bytes_, 25);
    if (c.u16() != 8) {
        status_ = shx::kBadBigHeader;
        return;
    }
    const unsigned count = c.u16();
    const unsigned ranges = c.u16();
    c.skip(4 * static_cast<size_t>(ranges));
    for (unsigned i = 0; i < count && c.has(8); ++i) {
        const unsigned code = c.u16();
        const unsigned length = c.u16();
        const unsigned long offset = c.u32();
        // Entries this long are not glyphs.
        if (length >= 768 || offset > bytes_.size() || bytes_.size() - offset < length) continue;
        index_.emplace(code, Definition{std::span<const uint8_t>(bytes_).subspan(offset, length)});
    }
}

int ShxFile::shape(unsigned code, std::span<const uint8_t>& out) const {
    if (status_ != 0) return status_;
    if (kind_ == ShxKind::Big) return shx::kBadSignature;
    if (kind_ == ShxKind::Shape && (code < first_ || code > last_)) return shx::kNotFound;
    const auto it = index_.find(code);
    if (it == index_.end()) return shx::kNotFound;
    out = it->second.bytes;
    return static_cast<int>(out.size());
}

int ShxFile::bigShape(unsigned code, std::span<const uint8_t>& out) const {
    if (status_ != 0) return status_;
    if (kind_ != ShxKind::Big) return shx::kBadSignature;
    const auto it = index_.find(code);
    if (it == index_.end()) return shx::kBigNotFound;
    out = it->second.bytes;
    return static_cast<int>(out.size());
}

}  // namespace lintrel::fonts
