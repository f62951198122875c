// Binary DXF: the decoder's group forms and value types, drawings that import as their text
// twins do, and the two binary drawings of the corpus.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include "import/dxf/dxf_binary.h"
#include "import/dxf/dxf_diagnostics.h"
#include "import/dxf/dxf_groups.h"
#include "import_helpers.h"
#include "support/corpus.h"

namespace lintrel::test {
namespace {

// Writes the groups of a text drawing in binary form; its type table covers the codes the
// tests' drawings use, independently of the reader's.
class BinaryWriter {
  public:
    explicit BinaryWriter(bool wideCodes) : wide_(wideCodes) {
        bytes_.assign(dxf::kBinarySentinel);
    }
    BinaryWriter& code(int code) {
        if (wide_) return little(static_cast<int16_t>(code));
        if (code < 255) {
            bytes_.push_back(static_cast<char>(code));
            return *this;
        }
        bytes_.push_back(static_cast<char>(255));
        return little(static_cast<int16_t>(code));
    }
    template <typename T>
    BinaryWriter& little(T value) {
        unsigned char raw[sizeof(T)];
        std::memcpy(raw, &value, sizeof(T));  // the test machines are little-endian
        bytes_.append(reinterpret_cast<const char*>(raw), sizeof(T));
        return *this;
    }
    BinaryWriter& text(std::string_view value) {
        bytes_.append(value);
        bytes_.push_back('\0');
        return *this;
    }
    // The groups of `dxfText` with the value types of their codes.
    BinaryWriter& groups(std::string_view dxfText) {
        dxf::GroupReader reader(dxfText);
        dxf::Group g;
        while (reader.next(g)) {
            code(g.code);
            if (g.code >= 10 && g.code <= 59)
                little(dxf::parseDouble(g.value));
            else if (g.code >= 60 && g.code <= 79)
                little(static_cast<int16_t>(dxf::parseInt(g.value)));
            else if (g.code >= 90 && g.code <= 99)
                little(static_cast<int32_t>(dxf::parseInt(g.value)));
            else
                text(g.value);
        }
        // The group reader stops before the EOF marker's value.
        if (reader.endedAtMarker()) code(0).text("EOF");
        return *this;
    }
    const std::string& bytes() const { return bytes_; }

  private:
    bool wide_;
    std::string bytes_;
};

std::string decoded(const std::string& bytes, bool* truncated = nullptr) {
    dxf::BinaryFlaws flaws;
    std::string out = dxf::binaryDxfAsText(bytes, flaws);
    if (truncated) *truncated = flaws.truncated;
    return out;
}

TEST(DxfBinary, BothCodeFormsDecodeEveryValueType) {
    for (const bool wide : {false, true}) {
        BinaryWriter w(wide);
        w.code(0).text("SECTION").code(10).little(-1.25).code(70).little(int16_t{-3});
        w.code(90).little(int32_t{70000}).code(160).little(int64_t{1} << 40);
        w.code(290).little(uint8_t{2}).code(310);
        w.little(uint8_t{3}).little(uint8_t{0xAB}).little(uint8_t{0x01}).little(uint8_t{0xFF});
        w.code(1071).little(int32_t{-5}).code(1).text("a\nb");
        EXPECT_EQ(decoded(w.bytes()),
                  "0\nSECTION\n10\n-1.25\n70\n-3\n90\n70000\n160\n1099511627776\n290\n1\n"
                  "310\nAB01FF\n1071\n-5\n1\na b\n")
            << (wide ? "R2000" : "R12");
    }
}

TEST(DxfBinary, DataCutOffInsideAGroupEndsBeforeIt) {
    BinaryWriter w(true);
    w.code(0).text("SECTION").code(10).little(int32_t{0});  // half a double
    bool truncated = false;
    EXPECT_EQ(decoded(w.bytes(), &truncated), "0\nSECTION\n");
    EXPECT_TRUE(truncated);
    EXPECT_EQ(decoded("plain text"), "");
}

TEST(DxfBinary, DrawingsImportAsTheirTextTwins) {
    DxfText t = entitiesOnly();
    t.line(0, 0, 10.125, 5, "0", 1).circle(3, 4, 2.5).arc(1, 1, 4, 30, 300);
    t.lwpolyline({{0, 0, 0.5}, {7, 0}, {7, 3}}, true);
    t.endSection().eof();
    const ChainOwner<VectGroup> fromText = importText(t.str(), 1);
    const auto textVects = vectsOf(fromText.get());
    ASSERT_GE(textVects.size(), 4u);
    for (const bool wide : {false, true}) {
        const ChainOwner<VectGroup> fromBinary =
            importText(BinaryWriter(wide).groups(t.str()).bytes(), 1);
        const auto binaryVects = vectsOf(fromBinary.get());
        ASSERT_EQ(binaryVects.size(), textVects.size());
        for (size_t i = 0; i < textVects.size(); ++i) {
            const auto a = segsOf(textVects[i]->segs), b = segsOf(binaryVects[i]->segs);
            ASSERT_EQ(a.size(), b.size());
            for (size_t k = 0; k < a.size(); ++k) {
                EXPECT_EQ(a[k]->x0, b[k]->x0);
                EXPECT_EQ(a[k]->y1, b[k]->y1);
            }
        }
        EXPECT_EQ(lastImport().countOf(diag::kDxfMissingEof), 0);
    }
}

TEST(DxfBinaryCorpus, BothBinaryDrawingsImport) {
    SKIP_WITHOUT_CORPUS("dxf");
    for (const char* name : {"ezdxf__bin_dxf_r12.dxf", "ezdxf__bin_dxf_r2000.dxf"}) {
        const std::filesystem::path path = corpus::file("dxf", name);
        const ChainOwner<VectGroup> groups(
            VarnixCad3_ImportVectGraph(path.string().c_str(), 1016.0, 1, 0.05, 0));
        EXPECT_GE(vectsOf(groups.get()).size(), 1u) << name;
        EXPECT_EQ(lastImport().countOf(diag::kDxfTruncated), 0) << name;
        EXPECT_EQ(lastImport().countOf(diag::kDxfMalformedNumber), 0) << name;
    }
}

}  // namespace
}  // namespace lintrel::test
