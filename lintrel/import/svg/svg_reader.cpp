// Reading the bytes: gzip is inflated first (with a bound on the inflated size), the XML goes
// through pugixml, and the document walk builds the groups.
#include "import/svg/svg_reader.h"

#include <zlib.h>
#include <pugixml.hpp>

#include <string>

#include "import/svg/svg_diagnostics.h"
#include "import/svg/svg_document.h"
#include "import/svg/svg_shapes.h"

namespace lintrel {

namespace {

// Inflated SVGZ drawings larger than this are refused.
constexpr size_t kMaxInflatedBytes = size_t{1} << 28;

bool isGzip(std::string_view bytes) {
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0x1f &&
           static_cast<unsigned char>(bytes[1]) == 0x8b;
}

bool inflateGzip(std::string_view bytes, std::string& out) {
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) return false;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(std::min<size_t>(bytes.size(), UINT32_MAX));
    int status = Z_OK;
    char buffer[1 << 16];
    while (status == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        status = inflate(&stream, Z_NO_FLUSH);
        if (status != Z_OK && status != Z_STREAM_END) break;
        out.append(buffer, sizeof buffer - stream.avail_out);
        if (out.size() > kMaxInflatedBytes) status = Z_MEM_ERROR;
    }
    inflateEnd(&stream);
    return status == Z_STREAM_END;
}

}  // namespace

VectGroup* readSvg(std::string_view bytes, ImportContext& context) {
    std::string inflated;
    if (isGzip(bytes)) {
        if (!inflateGzip(bytes, inflated)) {
            svg::noteSvg(context.diagnostics, diag::kSvgzUnreadable);
            return nullptr;
        }
        bytes = inflated;
    }
    pugi::xml_document document;
    const pugi::xml_parse_result parsed =
        document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default);
    if (!parsed) {
        svg::noteSvg(context.diagnostics, diag::kSvgNotXml);
        return nullptr;
    }
    const pugi::xml_node root = document.document_element();
    if (svg::localName(root) != "svg") {
        svg::noteSvg(context.diagnostics, diag::kSvgNoSvgRoot);
        return nullptr;
    }
    svg::ColourGroups groups;
    {
        svg::ShapeBuilder builder(groups);
        svg::DocumentWalker(root, context, builder).walk();
    }
    return groups.release();
}

}  // namespace lintrel
