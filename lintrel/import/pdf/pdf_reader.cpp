// Finding a page in the page tree (with the attributes it inherits), mapping its box to
// millimetres, and running its content through the content reader the Illustrator reader
// shares, with forms looked up in the page's and the forms' own resources.
#include "import/pdf/pdf_reader.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <string>
#include <unordered_set>
#include <vector>

#include "import/ai/ai_paths.h"
#include "import/ai/pdf_container.h"
#include "import/ai/pdf_content.h"
#include "import/pdf/pdf_diagnostics.h"

namespace lintrel {

namespace pdf {

namespace {

constexpr double kMillimetresPerPoint = 25.4 / 72.0;
// Levels of /Pages below the root at most; deeper trees are damaged or hostile.
constexpr int kMaxTreeDepth = 64;
// Forms one page draws at most: a form drawing itself many times would otherwise multiply at
// every level of nesting.
constexpr int kMaxFormDraws = 4096;

// What a page takes from its ancestors when it does not say it itself.
struct PageAttributes {
    std::string mediaBox, cropBox, resources, rotate;
    std::string userUnit, contents;
};

// A value as it stands, or the object it refers to.
std::string_view resolved(Container& pdf, std::string_view value) {
    if (value.empty() || value[0] == '<' || value[0] == '[' || value[0] == '/') return value;
    const int ref = referenceOf(value);
    if (ref < 0) return value;
    const std::string_view dict = pdf.dictionary(ref);
    if (!dict.empty()) return dict;
    const std::string_view body = pdf.body(ref);
    const size_t open = body.find_first_not_of(" \t\r\n");
    if (open == std::string_view::npos) return {};
    const size_t end = body.find("endobj", open);
    return body.substr(open, end == std::string_view::npos ? end : end - open);
}

std::vector<double> numbersIn(std::string_view array) {
    std::vector<double> out;
    size_t i = 0;
    while (i < array.size()) {
        const char c = array[i];
        if ((c >= '0' && c <= '9') || c == '-' || c == '.' || c == '+') {
            double v = 0;
            const char* first = array.data() + i + (c == '+' ? 1 : 0);
            const auto [p, error] = std::from_chars(first, array.data() + array.size(), v);
            if (error != std::errc()) break;
            out.push_back(v);
            i = static_cast<size_t>(p - array.data());
        } else if (c == ']') {
            break;
        } else {
            ++i;
        }
    }
    return out;
}

void inherit(Container& pdf, std::string_view dict, PageAttributes& a) {
    const auto take = [&](std::string_view key, std::string& into) {
        const std::string_view v = dictValue(dict, key);
        if (!v.empty()) into = std::string(resolved(pdf, v));
    };
    take("/MediaBox", a.mediaBox);
    take("/CropBox", a.cropBox);
    take("/Resources", a.resources);
    take("/Rotate", a.rotate);
    take("/UserUnit", a.userUnit);
    a.contents = std::string(dictValue(dict, "/Contents"));
}

class PageFinder {
  public:
    PageFinder(Container& pdf, int wanted) : pdf_(pdf), wanted_(wanted) {}

    // Walks the tree from `node`, counting pages in their order; true once page `wanted` is
    // found.
    bool walk(int node, PageAttributes attributes, int depth) {
        if (depth > kMaxTreeDepth || !visited_.insert(node).second) return false;
        const std::string_view dict = pdf_.dictionary(node);
        inherit(pdf_, dict, attributes);
        if (isName(dictValue(dict, "/Type"), "/Page")) {
            if (++count_ != wanted_ && count_ != 1) return false;
            found_ = attributes;
            return count_ == wanted_;
        }
        for (int kid : referencesIn(resolved(pdf_, dictValue(dict, "/Kids"))))
            if (walk(kid, attributes, depth + 1)) return true;
        return false;
    }

    int count() const { return count_; }
    const PageAttributes& found() const { return found_; }

  private:
    Container& pdf_;
    int wanted_;
    int count_ = 0;
    PageAttributes found_;
    std::unordered_set<int> visited_;
};

// The root of the page tree: the catalogue's /Pages, else a /Pages node without a parent.
int pageTreeRoot(Container& pdf) {
    int orphan = -1;
    for (int number : pdf.objectNumbers()) {
        const std::string_view dict = pdf.dictionary(number);
        const std::string_view type = dictValue(dict, "/Type");
        if (isName(type, "/Catalog")) {
            const int pages = referenceOf(dictValue(dict, "/Pages"));
            if (pages >= 0) return pages;
        } else if (orphan < 0 && isName(type, "/Pages") && dictValue(dict, "/Parent").empty()) {
            orphan = number;
        }
    }
    return orphan;
}

// The page's visible box to millimetres: its lower-left corner to the origin, turned as the
// page is shown, then scaled by its user unit.
ai::ContentMatrix pageMatrix(const PageAttributes& page) {
    std::vector<double> box = numbersIn(page.cropBox);
    if (box.size() < 4) box = numbersIn(page.mediaBox);
    if (box.size() < 4) box = {0, 0, 612, 792};  // US Letter, the common default of writers
    const double x0 = std::min(box[0], box[2]), y0 = std::min(box[1], box[3]);
    const double w = std::fabs(box[2] - box[0]), h = std::fabs(box[3] - box[1]);
    const std::vector<double> unit = numbersIn(page.userUnit);
    const double scale = kMillimetresPerPoint * (unit.size() == 1 && unit[0] > 0 ? unit[0] : 1.0);
    const std::vector<double> rotate = numbersIn(page.rotate);
    const long turns = rotate.empty() ? 0 : ((std::lround(rotate[0] / 90) % 4) + 4) % 4;
    ai::ContentMatrix m{1, 0, 0, 1, -x0, -y0};
    // Clockwise quarter turns, each followed by the shift that keeps the box at the origin.
    const ai::ContentMatrix turn[4] = {
        {1, 0, 0, 1, 0, 0}, {0, -1, 1, 0, 0, w}, {-1, 0, 0, -1, w, h}, {0, 1, -1, 0, h, 0}};
    return m.then(turn[turns]).then({scale, 0, 0, scale, 0, 0});
}

// The content streams of /Contents, joined; one reference, an array, or a reference to one.
std::string pageContent(Container& pdf, std::string_view contents, ImportDiagnostics& d) {
    std::vector<int> streams = referencesIn(contents);
    if (streams.size() == 1 && pdf.dictionary(streams[0]).empty())
        streams = referencesIn(resolved(pdf, contents));
    std::string content;
    for (int stream : streams) {
        if (!pdf.streamData(stream, content) && !pdf.budgetReached())
            d.note(diag::kPdfStreamUnreadable, "content streams that could not be decoded");
        content += '\n';
    }
    return content;
}

bool lookUpForm(Container& pdf, std::string_view resources, std::string_view name,
                ai::ContentForm& form) {
    const std::string_view xobjects = resolved(pdf, dictValue(resources, "/XObject"));
    const int ref = referenceOf(dictValue(xobjects, name));
    if (ref < 0) return false;
    const std::string_view dict = pdf.dictionary(ref);
    if (!isName(dictValue(dict, "/Subtype"), "/Form")) return false;
    const std::vector<double> m = numbersIn(resolved(pdf, dictValue(dict, "/Matrix")));
    if (m.size() == 6) form.matrix = {m[0], m[1], m[2], m[3], m[4], m[5]};
    const std::string_view own = dictValue(dict, "/Resources");
    form.resources = own.empty() ? std::string(resources) : std::string(resolved(pdf, own));
    return pdf.streamData(ref, form.content);
}

}  // namespace

int countPdfPages(std::string_view bytes) {
    Container pdf(bytes);
    const int root = pageTreeRoot(pdf);
    if (root < 0) return 0;
    PageFinder finder(pdf, INT_MAX);
    finder.walk(root, {}, 0);
    return finder.count();
}

bool pdfPageBoxes(std::string_view bytes, int page, PageBoxes& boxes) {
    Container pdf(bytes);
    const int root = pageTreeRoot(pdf);
    PageFinder finder(pdf, page);
    if (root < 0 || !finder.walk(root, {}, 0)) return false;
    const PageAttributes& found = finder.found();
    boxes.media = numbersIn(found.mediaBox);
    boxes.crop = numbersIn(found.cropBox);
    const std::vector<double> rotate = numbersIn(found.rotate);
    boxes.rotate = rotate.empty() ? 0 : rotate[0];
    return true;
}

VectGroup* readPdfPage(std::string_view bytes, int page, ImportDiagnostics& d) {
    Container pdf(bytes);
    const int root = pageTreeRoot(pdf);
    PageFinder finder(pdf, page);
    if (root < 0 || (!finder.walk(root, {}, 0) && finder.count() == 0)) {
        d.note(diag::kPdfNoPage, "no page found in the file");
        return nullptr;
    }
    if (finder.count() < page)
        d.note(diag::kPdfPageMissing, "the page asked for is not in the file: the first was read");
    const PageAttributes& found = finder.found();
    ai::ContentHooks hooks;
    hooks.start = pageMatrix(found);
    hooks.resources = found.resources;
    int formDraws = 0;
    hooks.form = [&pdf, &formDraws](std::string_view resources, std::string_view name,
                                    ai::ContentForm& form) {
        return ++formDraws <= kMaxFormDraws && lookUpForm(pdf, resources, name, form);
    };
    hooks.text = [&d] { d.note(diag::kPdfTextSkipped, "text not drawn"); };
    hooks.skipped = [&d] {
        d.note(diag::kPdfImagesSkipped, "images, and forms nested too deep, not drawn");
    };
    ai::PathBuilder paths(d);
    ai::readPageContent(pageContent(pdf, found.contents, d), paths, d, &hooks);
    if (pdf.budgetReached())
        d.note(diag::kPdfInflationBound,
               "decompressed data reached its size bound: the rest was not read");
    VectGroup* groups = paths.finish();
    // Groups are numbered by colour index from 0; the drawing numbers them from 1.
    for (VectGroup* g : ring(groups))
        g->number += 1;
    return groups;
}

}  // namespace pdf

VectGroup* readPdf(std::string_view bytes, ImportContext& context) {
    return pdf::readPdfPage(bytes, context.page, context.diagnostics);
}

}  // namespace lintrel
