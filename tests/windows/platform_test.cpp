// The Windows side of the platform layer, on the real target: file names arrive in the ANSI
// code page and must open whatever characters they hold, and text fonts come from the Windows
// font folder.
#include <windows.h>

#include <gtest/gtest.h>
#include <lintrel/lintrel.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "fonts/font_files.h"
#include "platform/files.h"
#include "platform/windows/wide_names.h"

namespace lintrel::test {
namespace {

std::wstring tempFolder() {
    wchar_t folder[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    return std::wstring(folder, length);
}

std::string exampleDrawing() {
    std::ifstream file(PATHLOOM_SOURCE_DIR "/examples/bracket.dxf", std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// The drawing written under a wide name; removed at the end.
class WideNamedFile {
  public:
    WideNamedFile(std::wstring name, const std::string& bytes) : name_(std::move(name)) {
        std::FILE* f = _wfopen(name_.c_str(), L"wb");
        if (f) {
            std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fclose(f);
        }
    }
    ~WideNamedFile() { DeleteFileW(name_.c_str()); }
    const std::wstring& name() const { return name_; }

  private:
    std::wstring name_;
};

int vectCount(VectGroup* first) {
    int count = 0;
    VectGroup* g = first;
    do {
        if (Vect* v = g->vects) {
            do {
                ++count;
                v = v->next;
            } while (v != g->vects);
        }
        g = g->next;
    } while (g != first);
    return count;
}

TEST(WindowsFileNames, AnsiNamesOpenTheirFileAndUtf8NamesDoNot) {
    const std::string drawing = exampleDrawing();
    ASSERT_FALSE(drawing.empty());
    // e acute exists in every Western ANSI code page; its ANSI byte differs from its UTF-8 bytes.
    const WideNamedFile file(
        tempFolder() + L"pathloom-caf\u00e9-" + std::to_wstring(GetCurrentProcessId()) + L".dxf",
        drawing);
    const std::string ansi = platform::localFromWide(file.name());
    if (ansi.empty()) GTEST_SKIP() << "the ANSI code page has no e acute";
    ASSERT_EQ(platform::wideFromLocal(ansi.c_str()), file.name());
    EXPECT_TRUE(platform::isRegularFile(ansi.c_str()));

    VectGroup* groups = VarnixCad3_ImportVectGraph(ansi.c_str(), 1016, 1, 0.05, 0);
    ASSERT_NE(groups, nullptr);
    EXPECT_EQ(vectCount(groups), 26);
    VarnixCad3_DeleteChain(groups);

    char utf8[MAX_PATH * 4];
    ASSERT_GT(WideCharToMultiByte(CP_UTF8, 0, file.name().c_str(), -1, utf8, sizeof utf8, nullptr,
                                  nullptr),
              0);
    ASSERT_NE(std::string(utf8), ansi);
    EXPECT_FALSE(platform::isRegularFile(utf8));
    EXPECT_EQ(VarnixCad3_ImportVectGraph(utf8, 1016, 1, 0.05, 0), nullptr);
}

TEST(WindowsFileNames, FoldersAndMissingFilesAreNoRegularFiles) {
    const std::string temp = platform::localFromWide(tempFolder());
    ASSERT_FALSE(temp.empty());
    EXPECT_FALSE(platform::isRegularFile(temp.c_str()));
    EXPECT_EQ(platform::openFile((temp + "no such file.dxf").c_str(), "rb"), nullptr);
    EXPECT_EQ(platform::openFile(nullptr, "rb"), nullptr);
}

TEST(WindowsFonts, TheWindowsFontFolderIsSearchedByFileNameInAnyCase) {
    wchar_t windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
    ASSERT_GT(length, 0u);
    const std::wstring folder = std::wstring(windows, length) + L"\\Fonts\\";
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*.ttf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) GTEST_SKIP() << "no TrueType file in the font folder";
    FindClose(search);
    std::string name = platform::localFromWide(found.cFileName);
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));

    VarnixCad3_SetFontsPath("Z:/no/such/fonts/");
    fonts::setSystemFontSearch(true);
    bool substituted = true;
    const std::string path = fonts::findTrueTypeFile(name, &substituted);
    VarnixCad3_SetFontsPath("./fonts/");
    EXPECT_FALSE(substituted);
    EXPECT_EQ(platform::wideFromLocal(path.c_str()), folder + found.cFileName);
}

}  // namespace
}  // namespace lintrel::test
