// Pathloom, the desktop program: the window, the language, the settings, the automatic
// connection and the drawing named on the command line.
#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QScreen>
#include <QTimer>

#include "app/language.h"
#include "app/main_window.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pathloom"));
    QApplication::setApplicationVersion(QStringLiteral("2.04"));
    QApplication::setDesktopFileName(QStringLiteral("pathloom"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/pathloom.svg")));
    pathloom::app::useLanguage(pathloom::language());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QApplication::translate("main", "把二维矢量图形转换为运动控制程序。"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("drawing"),
                                 QApplication::translate("main", "要导入的图形文件"));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QApplication::translate("main", "启动后把窗口保存为图片文件，然后退出"),
        QStringLiteral("file"));
    parser.addOption(screenshot);
    parser.process(application);

    pathloom::app::MainWindow window;
    window.autoConnect();
    // Without a window manager "maximised" means nothing; the screen's size stands in.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    if (!parser.positionalArguments().isEmpty())
        window.openFile(parser.positionalArguments().first());
    if (parser.isSet(screenshot)) {
        // For the documentation and for bug reports: the window as it stands once shown.
        const QString file = parser.value(screenshot);
        QTimer::singleShot(1500, &window, [&window, file] {
            const bool saved = window.grab().save(file);
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}
