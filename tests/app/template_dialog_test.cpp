// The header and footer templates in the running window: the dialog keeps each profile's texts
// while the list switches, its OK reaches the program and the settings file, and a template the
// file would not give back is refused in words until the default is restored.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>

#include "app/dialog_support.h"
#include "core/codegen/output_profile.h"
#include "core/codegen/program_template.h"
#include "core/text/texts.h"

namespace pathloom::app::testing {
namespace {

using lintrel::test::groupOf;
using lintrel::test::polyline;

constexpr int kGrblLaser = 2;
constexpr int kMach = 4;

class TemplateDialogs : public DialogTest {
  protected:
    // G-code in the GRBL laser profile, and one line 10 mm long.
    void SetUp() override {
        writeFile(settingsFile, "[Process parameters]\r\nShow code type=1\r\nOutput profile=2\r\n");
        DialogTest::SetUp();
        adopt(groupOf({polyline({{0, 0}, {10, 0}})}, 1));
    }
    static std::string key(const char* which, int profile) {
        return std::string(which) + outputProfiles()[static_cast<size_t>(profile)].name + "=";
    }
};

TEST_F(TemplateDialogs, EditedHeaderReachesTheProgramAndTheSettingsFile) {
    int opened = -1;
    QStringList placeholders;
    run(Command::ProgramTemplates, [&](QDialog& d) {
        auto* profile = child<QComboBox>(d, "profile");
        opened = profile->currentIndex();
        auto* list = child<QListWidget>(d, "placeholders");
        for (int i = 0; i < list->count(); ++i)
            placeholders << list->item(i)->text().section(QLatin1Char('\t'), 0, 0);
        type(d, "header", "(size {extent})\n(travel {travel})");
        // Another profile's footer is kept while the list shows it and after it switches back.
        profile->setCurrentIndex(kMach);
        type(d, "footer", "(end of mach)");
        profile->setCurrentIndex(kGrblLaser);
        EXPECT_EQ(child<QPlainTextEdit>(d, "header")->toPlainText(),
                  "(size {extent})\n(travel {travel})");
        d.accept();
    });
    EXPECT_EQ(opened, kGrblLaser);
    QStringList expected;
    for (const TemplatePlaceholder& p : templatePlaceholders())
        expected << QString::fromLatin1(p.name);
    EXPECT_EQ(placeholders, expected);
    EXPECT_TRUE(prompter.warnings.isEmpty())
        << prompter.warnings.join(QLatin1Char('\n')).toStdString();

    const std::string program = paneText(*window);
    EXPECT_NE(program.find("(size 10.000 x 0.000 mm)\r\n(travel "), std::string::npos) << program;
    EXPECT_EQ(program.find("(end of mach)"), std::string::npos);  // not this profile's

    const std::string file = readFile(settingsFile);
    EXPECT_NE(file.find(key("Program header ", kGrblLaser) +
                        "(size {extent})\\r\\n(travel {travel})\r\n"),
              std::string::npos)
        << file;
    EXPECT_NE(file.find(key("Program footer ", kMach) + "(end of mach)\r\n"), std::string::npos);
}

TEST_F(TemplateDialogs, TemplateTheFileWouldNotKeepIsRefusedUntilTheDefaultReturns) {
    const std::string before = paneText(*window);
    bool refused = false;
    int shownAfterRefusal = -1;
    run(Command::ProgramTemplates, [&](QDialog& d) {
        auto* profile = child<QComboBox>(d, "profile");
        profile->setCurrentIndex(kMach);
        type(d, "header", "(job) ");  // the file would drop the trailing blank
        profile->setCurrentIndex(0);
        d.accept();
        refused = d.result() != QDialog::Accepted;
        shownAfterRefusal = profile->currentIndex();
        child<QPushButton>(d, "restoreDefault")->click();
        EXPECT_TRUE(child<QPlainTextEdit>(d, "header")->toPlainText().isEmpty());
        d.accept();
    });
    EXPECT_TRUE(refused);
    EXPECT_EQ(shownAfterRefusal, kMach);  // the refused template is shown
    ASSERT_EQ(prompter.warnings.size(), 1);
    EXPECT_EQ(prompter.warnings[0].toStdString(), text(Text::TextNotStorable));
    EXPECT_TRUE(window->settings().process.machine.programHeaders[kMach].empty());
    EXPECT_EQ(paneText(*window), before);
    EXPECT_EQ(readFile(settingsFile).find("(job)"), std::string::npos);
}

}  // namespace
}  // namespace pathloom::app::testing
