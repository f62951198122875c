// The table of user texts: the language rule, both languages for every key, and the code
// substitution the messages use.
#include <gtest/gtest.h>

#include <set>
#include <string>

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

TEST(Texts, MessagesTakeTheCodeAndFollowTheLanguage) {
    EXPECT_EQ(textWithCode(Text::ConnectFailed, 1004), "连接控制器失败，1004");
    EXPECT_EQ(textWithCode(Text::HandSortFailed, -3), "手动排序出错，-3");
    EXPECT_EQ(text(Text::Processing), "正在处理数据，请稍后...");
    setLanguage(Language::English);
    EXPECT_EQ(textWithCode(Text::DownloadFailed, 7), "Download failed, 7");
    EXPECT_EQ(textWithValue(Text::ExportFailed, "disk full"),
              "Exporting the program failed: disk full");
    setLanguage(Language::Chinese);
    EXPECT_EQ(text(Text::NotConnected), "未连接");
}

}  // namespace
}  // namespace pathloom
