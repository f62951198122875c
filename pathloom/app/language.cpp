// Installing the translation compiled into the program.
#include "app/language.h"

#include <QCoreApplication>
#include <QTranslator>

namespace pathloom::app {

void useLanguage(Language language) {
    static QTranslator english;
    setLanguage(language);
    QCoreApplication::removeTranslator(&english);
    if (language == Language::English && english.load(QStringLiteral(":/i18n/pathloom_en.qm")))
        QCoreApplication::installTranslator(&english);
}

}  // namespace pathloom::app
