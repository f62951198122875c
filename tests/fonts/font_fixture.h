// Shared set-up of the text import tests: a fonts folder of their own holding the Debian fonts
// the tests install (DejaVu and WenQuanYi Micro Hei) under the names the tests choose, the
// system font folders turned off unless a test turns them on, and DXF drawings with a style
// table and TEXT and MTEXT entities.
#pragma once

#include <gtest/gtest.h>
#include <lintrel/lintrel.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fonts/font_files.h"
#include "import/import_helpers.h"
#include "model/items.h"

namespace lintrel::test {

inline const char* const kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
inline const char* const kDejaVuSerif = "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
inline const char* const kMicroHei = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";

struct Style {
    std::string name, font, bigFont;
};

// A drawing with a STYLE table and entities written by `body`.
inline std::string drawing(const std::vector<Style>& styles, const DxfText& body,
                           std::string_view version = "AC1027",
                           std::string_view codePage = "ANSI_1252") {
    DxfText t;
    t.section("HEADER").group(9, "$ACADVER").group(1, version);
    t.group(9, "$DWGCODEPAGE").group(3, codePage).endSection();
    t.section("TABLES").group(0, "TABLE").group(2, "STYLE").group(70, int(styles.size()));
    for (const Style& s : styles)
        t.group(0, "STYLE").group(2, s.name).group(70, 0).group(3, s.font).group(4, s.bigFont);
    t.group(0, "ENDTAB").endSection();
    t.section("ENTITIES");
    return t.str() + body.str() + "0\nENDSEC\n0\nEOF\n";
}

struct TextEntity {
    std::string text, style = "SANS";
    double x = 0, y = 0, height = 10, rotation = 0, oblique = 0, xScale = 1;
    int flags = 0;
};

inline DxfText& text(DxfText& t, const TextEntity& s) {
    t.entity("TEXT").point(10, s.x, s.y).group(40, s.height).group(1, s.text).group(7, s.style);
    if (s.rotation != 0) t.group(50, s.rotation);
    if (s.oblique != 0) t.group(51, s.oblique);
    if (s.xScale != 1) t.group(41, s.xScale);
    if (s.flags != 0) t.group(71, s.flags);
    return t;
}

struct Box {
    double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
    double width() const { return x1 - x0; }
    double height() const { return y1 - y0; }
};

// The box of a vect's seg end points (outline and control points).
inline Box boxOf(const Vect* v) {
    Box b;
    for (const Seg* s : ring(v->segs))
        for (const auto& [x, y] : {std::pair{s->x0, s->y0}, std::pair{s->x1, s->y1}}) {
            b.x0 = std::min(b.x0, x);
            b.y0 = std::min(b.y0, y);
            b.x1 = std::max(b.x1, x);
            b.y1 = std::max(b.y1, y);
        }
    return b;
}

class FontFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* f : {kDejaVuSans, kDejaVuSerif, kMicroHei})
            ASSERT_TRUE(std::filesystem::exists(f)) << f << " (scripts/install-deps.sh)";
        folder_ = std::filesystem::temp_directory_path() /
                  ("pathloom-fonts-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
        link(kDejaVuSans, "DejaVuSans.ttf");
        link(kDejaVuSerif, "DejaVuSerif.ttf");
        link(kMicroHei, "cjk.ttc");
        VarnixCad3_SetFontsPath((folder_.string() + "/").c_str());
        VarnixCad3_SetDefaultFont("cjk.ttc", "");
        fonts::setSystemFontSearch(false);
    }
    void TearDown() override {
        VarnixCad3_SetFontsPath("./fonts/");
        VarnixCad3_SetDefaultFont("simsun.ttf", "simsun.ttc");
        fonts::setSystemFontSearch(true);
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    // A symbolic link, or a copy where the system makes none (Wine).
    void link(const std::string& target, const std::string& name) {
        std::error_code error;
        std::filesystem::create_symlink(target, folder_ / name, error);
        if (error) std::filesystem::copy_file(target, folder_ / name);
    }
    void write(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream(folder_ / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    // Imports a drawing keeping curves (options 1) or flattening them (options 0).
    ChainOwner<VectGroup> load(const std::string& dxf, int options = 1) {
        return importText(dxf, options);
    }

    std::filesystem::path folder_;
};

// The diagnostic entry of `code`: its count (0 when absent) and text.
inline long diagnostic(int code, std::string* text = nullptr) {
    for (int i = 0; i < VarnixCad3_GetImportDiagCount(); ++i) {
        int c = 0, n = 0;
        char buffer[512];
        VarnixCad3_GetImportDiag(i, &c, &n, buffer, sizeof buffer);
        if (c != code) continue;
        if (text) *text = buffer;
        return n;
    }
    return 0;
}

}  // namespace lintrel::test
