// Choosing what to read from a PDF-based Illustrator file: the unit from its metadata, then
// the native text from its private data, else the path operators of its pages.
#include "import/ai/pdf_reader.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/diagnostics.h"
#include "import/ai/ai_diagnostics.h"
#include "import/ai/ai_paths.h"
#include "import/ai/ai_reader.h"
#include "import/ai/pdf_container.h"
#include "import/ai/pdf_content.h"

namespace lintrel::ai {

namespace {

constexpr std::string_view kCompressedMark = "%AI12_CompressedData";
constexpr std::string_view kZstandardMark = "%AI24_ZStandard_Data";
constexpr std::string_view kPrivateKey = "/AIPrivateData";

void noteUnreadable(ImportDiagnostics& d) {
    d.note(diag::kAiStreamUnreadable, "PDF streams that could not be decoded");
}

void noteBound(ImportDiagnostics& d) {
    d.note(diag::kAiInflationBound,
           "decompressed data reached its size bound: the rest was not read");
}

struct PrivateStream {
    long index;  // N of /AIPrivateDataN
    int object;
};

// The private data streams in the order of their numbers (AIPrivateData1, 2, ... 10, 11); of
// two entries with one number, the later in the file counts, as incremental updates append.
std::vector<PrivateStream> privateStreams(std::string_view bytes) {
    std::vector<PrivateStream> out;
    for (size_t at = bytes.find(kPrivateKey); at != std::string_view::npos;
         at = bytes.find(kPrivateKey, at + 1)) {
        size_t i = at + kPrivateKey.size();
        long index = 0;
        size_t digits = 0;
        while (i < bytes.size() && bytes[i] >= '0' && bytes[i] <= '9' && digits < 9) {
            index = index * 10 + (bytes[i++] - '0');
            ++digits;
        }
        if (!digits) continue;
        while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\r' || bytes[i] == '\n'))
            ++i;
        const int ref = pdf::referenceOf(bytes.substr(i, 64));
        if (ref >= 0) out.push_back({index, ref});
    }
    std::stable_sort(out.begin(), out.end(), [](const PrivateStream& a, const PrivateStream& b) {
        return a.index < b.index;
    });
    // Keep the last entry of each run of equal numbers.
    std::vector<PrivateStream> unique;
    for (size_t i = 0; i < out.size(); ++i)
        if (i + 1 == out.size() || out[i + 1].index != out[i].index) unique.push_back(out[i]);
    return unique;
}

// The start of the Zstandard data after its mark: its first frame's magic number, which the
// mark's line end precedes.
std::string_view zstandardData(std::string_view afterMark) {
    constexpr std::string_view kMagic = "\x28\xB5\x2F\xFD";
    const size_t magic = afterMark.substr(0, 64).find(kMagic);
    return magic == std::string_view::npos ? afterMark : afterMark.substr(magic);
}

// The native text of the private data: plain parts as they are, the compressed part inflated
// (zlib) or decompressed (Zstandard).
std::string privateText(pdf::Container& pdf, std::string_view bytes, ImportDiagnostics& d) {
    std::string joined;
    for (const PrivateStream& stream : privateStreams(bytes))
        if (!pdf.streamData(stream.object, joined)) noteUnreadable(d);
    const size_t zstd = joined.find(kZstandardMark);
    if (zstd != std::string::npos) {
        if (!pdf::zstdAvailable()) {
            d.note(diag::kAiUnsupportedCompression,
                   "private data in a compression this reader does not read");
            joined.resize(zstd);
            return joined;
        }
        std::string text = joined.substr(0, zstd);
        const std::string_view data =
            zstandardData(std::string_view(joined).substr(zstd + kZstandardMark.size()));
        if (!pdf.unzstdData(data, text) && !pdf.budgetReached()) noteUnreadable(d);
        return text;
    }
    const size_t mark = joined.find(kCompressedMark);
    if (mark == std::string::npos) return joined;
    std::string text = joined.substr(0, mark);
    if (!pdf.inflateData(std::string_view(joined).substr(mark + kCompressedMark.size()), text) &&
        !pdf.budgetReached())
        noteUnreadable(d);
    return text;
}

void readMetadataUnits(pdf::Container& pdf) {
    for (int number : pdf.objectNumbers()) {
        const std::string_view dict = pdf.dictionary(number);
        if (!pdf::isName(pdf::dictValue(dict, "/Type"), "/Metadata")) continue;
        std::string xml;
        if (pdf.streamData(number, xml)) VxAi::readUnit(xml);
    }
}

// Every page's content streams, in object order; /Contents may be one reference, an array of
// them, or a reference to such an array (followed once).
std::string pageContent(pdf::Container& pdf, ImportDiagnostics& d) {
    std::string content;
    for (int number : pdf.objectNumbers()) {
        const std::string_view dict = pdf.dictionary(number);
        if (!pdf::isName(pdf::dictValue(dict, "/Type"), "/Page")) continue;
        const std::string_view contents = pdf::dictValue(dict, "/Contents");
        std::vector<int> streams = pdf::referencesIn(contents);
        if (streams.size() == 1 && pdf.dictionary(streams[0]).empty()) {
            const std::string_view target = pdf.body(streams[0]);
            const size_t open = target.find_first_not_of(" \t\r\n");
            if (open != std::string_view::npos && target[open] == '[')
                streams = pdf::referencesIn(target.substr(open, target.find(']', open) - open + 1));
        }
        for (int stream : streams) {
            if (!pdf.streamData(stream, content)) noteUnreadable(d);
            content += '\n';
        }
    }
    return content;
}

}  // namespace

VectGroup* readPdfContainer(std::string_view bytes, ImportDiagnostics& d, PdfSource* source,
                            size_t inflateBudget) {
    if (source) *source = PdfSource::kNothing;
    pdf::Container pdf(bytes, inflateBudget);
    if (pdf.empty()) {
        d.note(diag::kAiNotPdfOrText, "a PDF container without objects");
        return nullptr;
    }
    readMetadataUnits(pdf);
    const std::string text = privateText(pdf, bytes, d);
    if (!text.empty()) {
        PathBuilder paths(d);
        VxAi::parseText(text, paths, d);
        if (VectGroup* groups = paths.finish()) {
            if (source) *source = PdfSource::kPrivateData;
            if (pdf.budgetReached()) noteBound(d);
            return groups;
        }
    }
    d.note(diag::kAiNoPrivateData, "no readable native data: the page content was read");
    PathBuilder paths(d);
    readPageContent(pageContent(pdf, d), paths, d);
    VectGroup* groups = paths.finish();
    if (groups && source) *source = PdfSource::kPageContent;
    if (pdf.budgetReached()) noteBound(d);
    return groups;
}

}  // namespace lintrel::ai
