// A compiled SHX font held in memory: ordinary shape fonts, Unicode fonts and big fonts, with
// their definition indexes. Every read is bounded by the file's bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace lintrel::fonts {

enum class ShxKind : uint8_t { Shape, Unicode, Big, Unknown };

// Result codes of a definition lookup, as the SHX reader reports them.
namespace shx {
inline constexpr int kNotFound = 0;       // a shape or Unicode font lacks the code
inline constexpr int kBigNotFound = -1;   // a big font lacks the code
inline constexpr int kNotOpened = -2;     // no font file
inline constexpr int kBadSignature = -3;  // unknown signature or font information too long
inline constexpr int kBadBigHeader = -4;  // a big font whose index entry size is not 8
}  // namespace shx

class ShxFile {
  public:
    static std::unique_ptr<ShxFile> load(const std::string& path);
    static std::unique_ptr<ShxFile> fromBytes(std::vector<uint8_t> bytes);

    ShxKind kind() const { return kind_; }
    int status() const { return status_; }  // 0, or the code every lookup answers
    // Font units per text height of the shape interpreter.
    int above() const { return above_; }

    // A shape or Unicode font's definition of a one-byte code: its byte count, 0 when missing,
    // or the font's negative status.
    int shape(unsigned code, std::span<const uint8_t>& out) const;
    // A big font's definition: its byte count, -1 when missing, or a negative status.
    int bigShape(unsigned code, std::span<const uint8_t>& out) const;

  private:
    void parse();
    void parseShapes();
    void parseUnicode();
    void parseBig();

    std::vector<uint8_t> bytes_;
    ShxKind kind_ = ShxKind::Unknown;
    int status_ = 0;
    int above_ = 8;
    unsigned first_ = 0, last_ = 0;
    struct Definition {  // its own type keeps the map's instantiation inside the library
        std::span<const uint8_t> bytes;
    };
    std::unordered_map<unsigned, Definition> index_;
};

}  // namespace lintrel::fonts
