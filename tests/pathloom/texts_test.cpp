// The table of user texts: the language rule, both languages for every key, and the code
// substitution the messages use.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <set>
#include <string>
#include <vector>

#include "core/text/texts.h"

namespace pathloom {
namespace {

// This suite checks the program's texts in the language they are first written in, Chinese,
// whatever the test machine's locale says.
const bool kChinese = [] {
    setLanguage(Language::Chinese);
    return true;
}();

TEST(Texts, LanguageFollowsTheOverrideThenTheLocale) {
    EXPECT_EQ(languageFor("zh", "en_US.UTF-8", nullptr, nullptr), Language::Chinese);
    EXPECT_EQ(languageFor("en", "zh_CN.UTF-8", nullptr, nullptr), Language::English);
    // An override that names neither language is ignored.
    EXPECT_EQ(languageFor("fr", nullptr, nullptr, "zh_TW.UTF-8"), Language::Chinese);
    EXPECT_EQ(languageFor(nullptr, "", "zh_CN.GBK", "en_GB.UTF-8"), Language::Chinese);
    EXPECT_EQ(languageFor(nullptr, "de_DE.UTF-8", "zh_CN.UTF-8", nullptr), Language::English);
    EXPECT_EQ(languageFor(nullptr, nullptr, nullptr, "C.UTF-8"), Language::English);
    EXPECT_EQ(languageFor(nullptr, nullptr, nullptr, nullptr), Language::English);
}

TEST(Texts, EveryKeyHasBothLanguagesAndTheChineseTextsDiffer) {
    ASSERT_TRUE(kChinese);
    std::set<std::string> chinese;
    for (int i = 0; i < static_cast<int>(Text::Count); ++i) {
        const Text id = static_cast<Text>(i);
        EXPECT_FALSE(text(id, Language::English).empty()) << i;
        EXPECT_NE(text(id, Language::Chinese), text(id, Language::English)) << i;
        EXPECT_TRUE(chinese.insert(std::string(text(id, Language::Chinese))).second) << i;
        // A message with a code has the place for it in both languages.
        EXPECT_EQ(text(id, Language::Chinese).find("%d") != std::string::npos,
                  text(id, Language::English).find("%d") != std::string::npos)
            << i;
    }
}

TEST(Texts, MessagesTakeTheCodeWithItsReasonAndFollowTheLanguage) {
    // The message's own words and the code stay as they were; the reason follows the code.
    EXPECT_EQ(textWithCode(Text::ConnectFailed, 1004),
              "连接控制器失败，1004（控制器没有接受连接，请检查地址并确认控制器已开启）");
    EXPECT_EQ(textWithCode(Text::DownloadFailed, 1001), "下载失败，1001（未连接控制器）");
    EXPECT_EQ(textWithCode(Text::HandSortFailed, -3), "手动排序出错，-3");  // no reason known
    EXPECT_EQ(text(Text::Processing), "正在处理数据，请稍后...");
    setLanguage(Language::English);
    EXPECT_EQ(textWithCode(Text::DownloadFailed, 7), "Download failed, 7");
    EXPECT_EQ(textWithCode(Text::ConnectionLost, 1006),
              "Connection error, 1006 (the connection to the controller broke)");
    EXPECT_EQ(textWithValue(Text::ExportFailed, "disk full"),
              "Exporting the program failed: disk full");
    EXPECT_EQ(systemReason(ENOTDIR), "a part of the path is not a folder");
    setLanguage(Language::Chinese);
    EXPECT_EQ(text(Text::NotConnected), "未连接");
    EXPECT_EQ(systemReason(ENOSPC), "磁盘空间不足");
    EXPECT_EQ(systemReason(12345), "系统错误 12345");
}

TEST(Texts, EveryCodeTheProgramCanMeetHasAReasonInBothLanguages) {
    // The library's results, the controller library's own codes and the simulator's.
    std::vector<int> codes = {100, 21000, 21001, 21002, 21003, 21011, 21020, 21022, 21099};
    for (int code = 1001; code <= 1010; ++code)
        codes.push_back(code);
    for (int code = 2001; code <= 2009; ++code)
        codes.push_back(code);
    for (const int code : codes) {
        const std::string_view zh = codeReason(code, Language::Chinese);
        const std::string_view en = codeReason(code, Language::English);
        EXPECT_FALSE(zh.empty()) << code;
        EXPECT_FALSE(en.empty()) << code;
        // Chinese reasons are Chinese: no English word inside.
        EXPECT_EQ(
            std::count_if(zh.begin(), zh.end(),
                          [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }),
            0)
            << code;
    }
    EXPECT_TRUE(codeReason(0, Language::English).empty());
    EXPECT_TRUE(codeReason(77, Language::Chinese).empty());
}

}  // namespace
}  // namespace pathloom
