// Why an open gave nothing: the import's notes and the file read into one reason, the words the
// operator is given, and the open drawing that stays when the next file gives nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/document/auto_optimize.h"
#include "core/document/document.h"
#include "core/document/import_reason.h"
#include "support/dxf_builder.h"

namespace pathloom {
namespace {

using lintrel::test::DxfText;
using lintrel::test::TempFile;

class RecordingSink final : public StatusSink {
  public:
    void status(std::string_view) override {}
    void message(std::string_view text) override { messages.emplace_back(text); }
    std::vector<std::string> messages;
};

std::string bracketBytes() {
    std::ifstream in(PATHLOOM_SOURCE_DIR "/examples/bracket.dxf", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ImportReason, TheNotesOfAnImportGiveOneReasonTheMostTellingFirst) {
    TempFile file("drawing.dxf", "x");
    const struct {
        std::vector<ImportNote> notes;
        NothingReason reason;
        std::string kinds;
    } cases[] = {
        {{}, NothingReason::NoShapes, ""},
        {{{311, 1, "setup sections skipped"}, {307, 1, "page content read"}},
         NothingReason::NoShapes,
         ""},
        {{{1, 1, "could not be read"}}, NothingReason::Unreadable, ""},
        {{{102, 1, "no EOF"}, {3, 1, "the file is empty"}}, NothingReason::EmptyFile, ""},
        {{{2, 1, "no reader"}}, NothingReason::UnknownKind, ""},
        {{{306, 1, "compression"}, {307, 1, "page content read"}}, NothingReason::Compressed, ""},
        {{{102, 1, "no EOF"},
          {106, 2, "entities read but not converted: HATCH"},
          {105, 1, "unknown entity kinds skipped: ACAD_PROXY_ENTITY"}},
         NothingReason::OnlyUnconverted,
         "HATCH, ACAD_PROXY_ENTITY"},
        {{{202, 4, "fills skipped"}}, NothingReason::OnlyUnconverted, "fills skipped"},
        {{{100, 1, "cut off"}}, NothingReason::Damaged, ""},
        {{{310, 1, "a PDF container without objects"}}, NothingReason::Damaged, ""},
    };
    for (const auto& c : cases) {
        const NothingImported why = whyNothingImported(file.path(), c.notes);
        EXPECT_EQ(why.reason, c.reason) << c.notes.size();
        EXPECT_EQ(why.kinds, c.kinds);
    }
    // What the file is comes before anything the reader noted.
    const std::vector<ImportNote> unreadable{{1, 1, "could not be read"}};
    EXPECT_EQ(whyNothingImported("/nonexistent/a.dxf", unreadable).reason, NothingReason::Missing);
    const std::string folder = std::filesystem::temp_directory_path().string();
    EXPECT_EQ(whyNothingImported(folder, {{2, 1, "no reader"}}).reason, NothingReason::Folder);
}

TEST(ImportReason, TheMessageNamesTheFileAndTheReasonInBothLanguages) {
    const Language before = language();
    setLanguage(Language::English);
    EXPECT_EQ(
        openFailedMessage("/some/where/part.DXF",
                          reasonText({NothingReason::Damaged, {}}, "/some/where/part.DXF")),
        "Cannot open \"part.DXF\": the file is damaged (cut off) or is not in the DXF format.");
    EXPECT_EQ(reasonText({NothingReason::OnlyUnconverted, "HATCH"}, "a.dxf"),
              "it holds only kinds of shape that are not converted: HATCH.");
    EXPECT_EQ(emptiedText(Text::StepTiny),
              "nothing is left after the automatic clean-up (\"remove tiny shapes\" removed every "
              "shape).");
    setLanguage(Language::Chinese);
    EXPECT_EQ(openFailedMessage("part.dxf", reasonText({NothingReason::EmptyFile, {}}, "part.dxf")),
              "无法打开“part.dxf”：文件是空的。");
    EXPECT_EQ(emptiedText(Text::StepDuplicates),
              "自动优化后没有剩下任何图形（被“去除重复线”全部删除）。");
    // Every reason has its words in both languages.
    for (int r = 0; r <= static_cast<int>(NothingReason::NoShapes); ++r)
        for (Language l : {Language::Chinese, Language::English}) {
            setLanguage(l);
            EXPECT_GT(reasonText({static_cast<NothingReason>(r), "X"}, "a.ai").size(), 8u) << r;
        }
    setLanguage(before);
}

TEST(ImportReason, RealFilesThatGiveNothingAreToldApart) {
    const std::string bracket = bracketBytes();
    ASSERT_GT(bracket.size(), 300u);
    DxfText hatchOnly;
    hatchOnly.section("ENTITIES").group(0, "HATCH").group(8, "0").endSection().eof();
    const struct {
        const char* name;
        std::string bytes;
        NothingReason reason;
    } cases[] = {
        {"cut-off.dxf", bracket.substr(0, 300), NothingReason::Damaged},
        {"noise.dxf", std::string("\x01\xff\x7fPK\x03\x04 no drawing\x00\x12", 20),
         NothingReason::Damaged},
        {"empty.dxf", "", NothingReason::EmptyFile},
        {"empty.plt", "", NothingReason::EmptyFile},
        {"picture.png", "\x89PNG\r\n\x1a\n", NothingReason::UnknownKind},
        {"hatch.dxf", hatchOnly.str(), NothingReason::OnlyUnconverted},
        {"sections.dxf", DxfText().section("ENTITIES").endSection().eof().str(),
         NothingReason::NoShapes},
    };
    for (const auto& c : cases) {
        TempFile file(c.name, c.bytes);
        Document document;
        RecordingSink sink;
        ASSERT_EQ(document.open(file.path(), AutoOptimizeSettings{}, sink), OpenResult::NoDrawing)
            << c.name;
        EXPECT_EQ(whyNothingImported(file.path(), lastImportNotes()).reason, c.reason) << c.name;
    }
}

TEST(Document, AFileThatGivesNothingLeavesTheOpenDrawingAndItsProgram) {
    TempFile bracket("bracket.dxf", bracketBytes());
    DxfText speck;
    speck.section("ENTITIES").line(0, 0, 0.2, 0).endSection().eof();
    TempFile tiny("speck.dxf", speck.str());
    TempFile empty("empty.dxf", "");
    Document document;
    RecordingSink sink;
    ASSERT_EQ(document.open(bracket.path(), AutoOptimizeSettings{}, sink), OpenResult::Done);
    document.setCode("the program", {0, 1});
    VectGroup* open = document.drawing();
    EXPECT_EQ(document.open(empty.path(), AutoOptimizeSettings{}, sink), OpenResult::NoDrawing);
    EXPECT_EQ(document.open("/nonexistent/x.dxf", AutoOptimizeSettings{}, sink),
              OpenResult::NoDrawing);
    EXPECT_EQ(document.open(tiny.path(), AutoOptimizeSettings{}, sink), OpenResult::Emptied);
    EXPECT_EQ(document.emptiedBy(), Text::StepTiny);
    EXPECT_EQ(document.drawing(), open);
    EXPECT_EQ(document.code(), "the program");
    EXPECT_EQ(document.lineMap(), (std::vector<int>{0, 1}));
    EXPECT_TRUE(sink.messages.empty());

    // A good file replaces the open drawing.
    EXPECT_EQ(document.open(bracket.path(), AutoOptimizeSettings{}, sink), OpenResult::Done);
    EXPECT_NE(document.drawing(), nullptr);
    EXPECT_TRUE(document.code().empty());
}

}  // namespace
}  // namespace pathloom
