// A tolerant walk over a PDF container: objects are found by their "N G obj" headers (the last
// definition of a number wins, as incremental updates append; objects compressed in object
// streams are found there too), dictionaries are read at their
// top level only, and stream data is decoded with a bound on the decompressed size. Nothing is
// followed recursively, so objects that reference themselves cannot loop.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lintrel::pdf {

// Decompressed bytes one file may produce in all: a small bomb must not take the machine.
inline constexpr size_t kInflateBudget = size_t{128} << 20;

// Inflates zlib data into `out`, at most `budget` bytes (reduced by what was produced). False
// when the data is damaged or breaks off; what was inflated before stays in `out`.
// `bounded` is set when the budget stopped it.
bool inflate(std::string_view compressed, std::string& out, size_t& budget, bool& bounded);

// Decompresses Zstandard data (one or more frames) into `out` under the same kind of budget.
// False when the data is damaged, breaks off or reaches the bound, and always in a build
// without libzstd, which zstdAvailable() tells.
bool unzstd(std::string_view compressed, std::string& out, size_t& budget, bool& bounded);
bool zstdAvailable();

// The value text of `key` (a name such as "/Length") at the top level of a dictionary text
// "<< ... >>"; empty when absent.
std::string_view dictValue(std::string_view dict, std::string_view key);
// The object number of a reference "N G R", or -1.
int referenceOf(std::string_view value);
// The object numbers of every reference in a value (a reference or an array of them).
std::vector<int> referencesIn(std::string_view value);
// True when a name value equals `name` (e.g. "/Page").
bool isName(std::string_view value, std::string_view name);

class Container {
  public:
    explicit Container(std::string_view bytes, size_t inflateBudget = kInflateBudget);

    bool empty() const { return offsets_.empty(); }
    // Object numbers in ascending order.
    std::vector<int> objectNumbers() const;
    // The text of an object from just after its header to the next object's header (or the
    // end of the file), so that no scan of one object runs through the whole file.
    std::string_view body(int number) const;
    // The dictionary an object starts with ("<< ... >>"), empty when it has none.
    std::string_view dictionary(int number) const;
    // Decodes an object's stream (raw or deflate-compressed) into `out`; raw data counts
    // against the same budget as inflated data, since a stream may be referenced many times. False
    // when the object has no stream or its data cannot be decoded; a damaged stream leaves what was
    // read.
    bool streamData(int number, std::string& out);
    bool budgetReached() const { return bounded_; }
    // Inflates free-standing zlib data under the same budget.
    bool inflateData(std::string_view compressed, std::string& out);
    // Decompresses free-standing Zstandard data under the same budget.
    bool unzstdData(std::string_view compressed, std::string& out);

  private:
    void readObjectStreams();
    std::string_view rawStream(int number, std::string_view dict) const;
    long lengthOf(std::string_view dict) const;

    std::string_view in_;
    struct Extent {
        size_t begin, end;  // from the byte after "obj" to the next header
    };
    std::unordered_map<int, Extent> offsets_;
    // Decoded object streams, and the objects found in them.
    std::vector<std::unique_ptr<std::string>> decoded_;
    std::unordered_map<int, std::string_view> compressed_;
    size_t budget_;
    bool bounded_ = false;
};

}  // namespace lintrel::pdf
