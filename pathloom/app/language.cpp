// Installing the translation compiled into the program, and Qt's own texts (dialog buttons) in
// Chinese when Debian's Qt translations are installed.
#include "app/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace pathloom::app {

void useLanguage(Language language) {
    static QTranslator english;
    static QTranslator qtChinese;
    setLanguage(language);
    QCoreApplication::removeTranslator(&english);
    QCoreApplication::removeTranslator(&qtChinese);
    if (language == Language::English) {
        if (english.load(QStringLiteral(":/i18n/pathloom_en.qm")))
            QCoreApplication::installTranslator(&english);
    } else if (qtChinese.load(QStringLiteral("qtbase_zh_CN"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qtChinese);
    }
}

}  // namespace pathloom::app
