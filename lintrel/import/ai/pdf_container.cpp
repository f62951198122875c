// The PDF container walk: object index, top-level dictionary values, stream extents and
// bounded inflation with zlib.
#include "import/ai/pdf_container.h"

#include <zlib.h>

#include <algorithm>
#include <charconv>
#include <climits>

namespace lintrel::pdf {

namespace {

bool isWhite(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\0';
}
bool isDelimiter(char c) {
    return std::string_view("()<>[]{}/%").find(c) != std::string_view::npos;
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t skipWhite(std::string_view s, size_t i) {
    while (i < s.size()) {
        if (isWhite(s[i])) {
            ++i;
        } else if (s[i] == '%') {
            while (i < s.size() && s[i] != '\r' && s[i] != '\n')
                ++i;
        } else {
            break;
        }
    }
    return i;
}

// End of a literal string starting at its "(": parentheses nest, a backslash escapes.
size_t skipString(std::string_view s, size_t i) {
    int depth = 0;
    for (; i < s.size(); ++i) {
        if (s[i] == '\\') {
            ++i;
        } else if (s[i] == '(') {
            ++depth;
        } else if (s[i] == ')' && --depth == 0) {
            return i + 1;
        }
    }
    return s.size();
}

// End of a dictionary or array starting at `i` ("<<" or "["), nesting counted without recursion.
size_t skipContainer(std::string_view s, size_t i) {
    long depth = 0;
    while (i < s.size()) {
        const char c = s[i];
        if (c == '(') {
            i = skipString(s, i);
            continue;
        }
        if (c == '%') {
            i = skipWhite(s, i);
            continue;
        }
        if (c == '<' && i + 1 < s.size() && s[i + 1] == '<') {
            ++depth;
            i += 2;
        } else if (c == '>' && i + 1 < s.size() && s[i + 1] == '>') {
            i += 2;
            if (--depth == 0) return i;
        } else if (c == '<') {
            const size_t end = s.find('>', i);
            i = end == std::string_view::npos ? s.size() : end + 1;
        } else if (c == '[') {
            ++depth;
            ++i;
        } else if (c == ']') {
            ++i;
            if (--depth == 0) return i;
        } else {
            ++i;
        }
    }
    return s.size();
}

size_t tokenEnd(std::string_view s, size_t i) {
    if (i < s.size() && s[i] == '/') ++i;
    while (i < s.size() && !isWhite(s[i]) && !isDelimiter(s[i]))
        ++i;
    return i;
}

bool parseNumber(std::string_view s, long& out) {
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), out);
    return error == std::errc() && end == s.data() + s.size() && !s.empty();
}

// End of the value that starts at `i`; a reference "N G R" is one value.
size_t valueEnd(std::string_view s, size_t i) {
    if (i >= s.size()) return i;
    const char c = s[i];
    if (c == '[' || (c == '<' && i + 1 < s.size() && s[i + 1] == '<')) return skipContainer(s, i);
    if (c == '(') return skipString(s, i);
    if (c == '<') {
        const size_t end = s.find('>', i);
        return end == std::string_view::npos ? s.size() : end + 1;
    }
    const size_t end = tokenEnd(s, i);
    long n = 0;
    if (!parseNumber(s.substr(i, end - i), n)) return std::max(end, i + 1);
    // Look ahead for "G R".
    const size_t g = skipWhite(s, end), gEnd = tokenEnd(s, g);
    if (!parseNumber(s.substr(g, gEnd - g), n)) return end;
    const size_t r = skipWhite(s, gEnd);
    if (r < s.size() && s[r] == 'R' && tokenEnd(s, r) == r + 1) return r + 1;
    return end;
}

}  // namespace

bool inflate(std::string_view compressed, std::string& out, size_t& budget, bool& bounded) {
    z_stream z{};
    if (inflateInit2(&z, 15 + 32) != Z_OK) return false;  // zlib or gzip header
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    z.avail_in = static_cast<uInt>(std::min<size_t>(compressed.size(), UINT_MAX));
    constexpr size_t kChunk = 64 * 1024;
    int status = Z_OK;
    while (status == Z_OK) {
        if (budget == 0) {
            bounded = true;
            break;
        }
        const size_t chunk = std::min(kChunk, budget);
        const size_t before = out.size();
        out.resize(before + chunk);
        z.next_out = reinterpret_cast<Bytef*>(out.data() + before);
        z.avail_out = static_cast<uInt>(chunk);
        status = ::inflate(&z, Z_NO_FLUSH);
        const size_t produced = chunk - z.avail_out;
        out.resize(before + produced);
        budget -= produced;
        if (status == Z_BUF_ERROR && produced == 0) break;  // input ended early
        if (status == Z_BUF_ERROR) status = Z_OK;
    }
    inflateEnd(&z);
    return status == Z_STREAM_END;
}

std::string_view dictValue(std::string_view dict, std::string_view key) {
    if (dict.size() < 4 || dict.substr(0, 2) != "<<") return {};
    size_t i = 2;
    while (true) {
        i = skipWhite(dict, i);
        if (i >= dict.size() || dict[i] != '/') return {};  // ">>" or damage
        const size_t nameEnd = tokenEnd(dict, i);
        const std::string_view name = dict.substr(i, nameEnd - i);
        const size_t v = skipWhite(dict, nameEnd);
        const size_t end = valueEnd(dict, v);
        if (name == key) return dict.substr(v, end - v);
        if (end <= i) return {};
        i = end;
    }
}

int referenceOf(std::string_view value) {
    const size_t end = tokenEnd(value, 0);
    long n = 0;
    if (!parseNumber(value.substr(0, end), n) || n < 0 || n > INT_MAX) return -1;
    const size_t rest = valueEnd(value, 0);
    return rest > end ? static_cast<int>(n) : -1;
}

std::vector<int> referencesIn(std::string_view value) {
    std::vector<int> out;
    size_t i = value.empty() || value[0] != '[' ? 0 : 1;
    while (i < value.size()) {
        i = skipWhite(value, i);
        if (i >= value.size() || value[i] == ']') break;
        const size_t end = valueEnd(value, i);
        const int ref = referenceOf(value.substr(i, end - i));
        if (ref >= 0) out.push_back(ref);
        i = std::max(end, i + 1);
    }
    return out;
}

bool isName(std::string_view value, std::string_view name) {
    return value.substr(0, tokenEnd(value, 0)) == name;
}

Container::Container(std::string_view bytes, size_t inflateBudget)
    : in_(bytes), budget_(inflateBudget) {
    struct Header {
        size_t start, body;
        int number;
    };
    std::vector<Header> headers;  // in file order
    for (size_t at = in_.find("obj"); at != std::string_view::npos; at = in_.find("obj", at + 3)) {
        if (at + 3 < in_.size() && !isWhite(in_[at + 3]) && !isDelimiter(in_[at + 3])) continue;
        // Back over " G " and "N".
        size_t i = at;
        if (i == 0 || !isWhite(in_[i - 1])) continue;
        while (i > 0 && isWhite(in_[i - 1]))
            --i;
        const size_t genEnd = i;
        while (i > 0 && isDigit(in_[i - 1]))
            --i;
        if (i == genEnd || i == 0 || !isWhite(in_[i - 1])) continue;
        while (i > 0 && isWhite(in_[i - 1]))
            --i;
        const size_t numEnd = i;
        while (i > 0 && isDigit(in_[i - 1]))
            --i;
        long number = 0;
        if (i == numEnd || !parseNumber(in_.substr(i, numEnd - i), number) || number > INT_MAX)
            continue;
        if (i > 0 && !isWhite(in_[i - 1]) && !isDelimiter(in_[i - 1])) continue;
        headers.push_back({i, at + 3, static_cast<int>(number)});
    }
    for (size_t k = 0; k < headers.size(); ++k) {
        const size_t end = k + 1 < headers.size() ? headers[k + 1].start : in_.size();
        offsets_[headers[k].number] = {headers[k].body, std::max(end, headers[k].body)};
    }
    readObjectStreams();
}

// Objects compressed into object streams (PDF 1.5): each stream starts with N pairs of an
// object number and an offset from /First. An object defined outside any stream keeps that
// definition, as the walk has no cross-reference table to tell which one is newer.
void Container::readObjectStreams() {
    std::vector<int> streams;
    for (const auto& [number, extent] : offsets_)
        if (isName(dictValue(dictionary(number), "/Type"), "/ObjStm")) streams.push_back(number);
    std::sort(streams.begin(), streams.end());
    for (int number : streams) {
        const std::string_view dict = dictionary(number);
        long count = 0, first = 0;
        if (!parseNumber(dictValue(dict, "/N"), count) ||
            !parseNumber(dictValue(dict, "/First"), first) || count < 0 || first < 0)
            continue;
        std::string data;
        if (!streamData(number, data) || static_cast<size_t>(first) > data.size()) continue;
        const std::string& text =
            *decoded_.emplace_back(std::make_unique<std::string>(std::move(data)));
        std::vector<std::pair<long, long>> pairs;
        size_t i = 0;
        for (long k = 0; k < count && i < static_cast<size_t>(first); ++k) {
            long object = 0, offset = 0;
            i = skipWhite(text, i);
            size_t end = tokenEnd(text, i);
            if (!parseNumber(std::string_view(text).substr(i, end - i), object)) break;
            i = skipWhite(text, end);
            end = tokenEnd(text, i);
            if (!parseNumber(std::string_view(text).substr(i, end - i), offset)) break;
            i = end;
            if (object < 0 || object > INT_MAX || offset < 0) break;
            pairs.emplace_back(object, first + offset);
        }
        for (size_t k = 0; k < pairs.size(); ++k) {
            const size_t begin = std::min(static_cast<size_t>(pairs[k].second), text.size());
            const size_t end =
                k + 1 < pairs.size() ? static_cast<size_t>(pairs[k + 1].second) : text.size();
            const int object = static_cast<int>(pairs[k].first);
            if (offsets_.count(object) || compressed_.count(object)) continue;
            compressed_[object] =
                std::string_view(text).substr(begin, std::max(end, begin) - begin);
        }
    }
}

std::vector<int> Container::objectNumbers() const {
    std::vector<int> out;
    out.reserve(offsets_.size());
    for (const auto& [number, extent] : offsets_)
        out.push_back(number);
    for (const auto& [number, text] : compressed_)
        out.push_back(number);
    std::sort(out.begin(), out.end());
    return out;
}

std::string_view Container::body(int number) const {
    const auto found = offsets_.find(number);
    if (found == offsets_.end()) {
        const auto inStream = compressed_.find(number);
        return inStream == compressed_.end() ? std::string_view() : inStream->second;
    }
    return in_.substr(found->second.begin, found->second.end - found->second.begin);
}

std::string_view Container::dictionary(int number) const {
    const std::string_view b = body(number);
    const size_t start = skipWhite(b, 0);
    if (b.substr(start, 2) != "<<") return {};
    return b.substr(start, skipContainer(b, start) - start);
}

// A direct length, or a reference to an object that holds only a number (followed one step).
long Container::lengthOf(std::string_view dict) const {
    const std::string_view value = dictValue(dict, "/Length");
    long n = -1;
    const int ref = referenceOf(value);
    if (ref >= 0) {
        const std::string_view target = body(ref);
        const size_t start = skipWhite(target, 0);
        if (!parseNumber(target.substr(start, tokenEnd(target, start) - start), n)) return -1;
    } else if (!parseNumber(value, n)) {
        return -1;
    }
    return n;
}

std::string_view Container::rawStream(int number, std::string_view dict) const {
    const std::string_view b = body(number);
    if (dict.empty()) return {};
    size_t i = skipWhite(b, 0) + dict.size();
    while (i < b.size() && isWhite(b[i]))
        ++i;
    if (b.substr(i, 6) != "stream") return {};
    i += 6;
    if (i < b.size() && b[i] == '\r') ++i;
    if (i < b.size() && b[i] == '\n') ++i;
    const long length = lengthOf(dict);
    if (length >= 0 && static_cast<size_t>(length) <= b.size() - i) {
        const size_t after = skipWhite(b, i + static_cast<size_t>(length));
        if (b.substr(after, 9) == "endstream") return b.substr(i, static_cast<size_t>(length));
    }
    // A wrong or missing length: the data runs to "endstream", less its line end.
    size_t end = b.find("endstream", i);
    if (end == std::string_view::npos) end = b.size();
    if (end > i && b[end - 1] == '\n') --end;
    if (end > i && b[end - 1] == '\r') --end;
    return b.substr(i, end - i);
}

bool Container::inflateData(std::string_view compressed, std::string& out) {
    bool bounded = false;
    const bool ok = inflate(compressed, out, budget_, bounded);
    bounded_ = bounded_ || bounded;
    return ok && !bounded;
}

bool Container::unzstdData(std::string_view compressed, std::string& out) {
    bool bounded = false;
    const bool ok = unzstd(compressed, out, budget_, bounded);
    bounded_ = bounded_ || bounded;
    return ok && !bounded;
}

bool Container::streamData(int number, std::string& out) {
    const std::string_view dict = dictionary(number);
    const std::string_view raw = rawStream(number, dict);
    if (raw.data() == nullptr) return false;
    std::string_view filter = dictValue(dict, "/Filter");
    if (!filter.empty() && filter[0] == '[') {
        // An array of one filter is that filter; chains of several are not read.
        const size_t first = filter.find('/');
        if (first != std::string_view::npos &&
            filter.find('/', first + 1) != std::string_view::npos)
            return false;
        filter = first == std::string_view::npos ? std::string_view() : filter.substr(first);
    }
    if (filter.empty()) {
        if (raw.size() > budget_) {
            bounded_ = true;
            return false;
        }
        budget_ -= raw.size();
        out.append(raw);
        return true;
    }
    if (isName(filter, "/FlateDecode") || isName(filter, "/Fl")) return inflateData(raw, out);
    return false;
}

}  // namespace lintrel::pdf
