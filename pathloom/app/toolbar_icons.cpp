// Which picture each toolbar command shows.
#include "app/toolbar_icons.h"

#include <QSize>
#include <QString>

namespace pathloom::app {
namespace {

struct IconFile {
    Command command;
    const char* name;  // the SVG file's name in app/icons/, without ".svg"
};

constexpr IconFile kIcons[] = {
    {Command::Select, "select"},
    {Command::Connect, "connect"},
    {Command::Disconnect, "disconnect"},
    {Command::Download, "download"},
    {Command::RemoveTiny, "remove_tiny"},
    {Command::RemoveDuplicates, "remove_duplicates"},
    {Command::Merge, "merge"},
    {Command::CurvePrecision, "curve_precision"},
    {Command::Split, "split"},
    {Command::ChangeStart, "change_start"},
    {Command::Reverse, "reverse"},
    {Command::StopSimulation, "stop_simulation"},
    {Command::PauseSimulation, "pause_simulation"},
    {Command::ContinueSimulation, "continue_simulation"},
};

}  // namespace

QIcon toolbarIcon(Command command) {
    QIcon icon;
    for (const IconFile& file : kIcons) {
        if (file.command != command) continue;
        for (int size : {32, 64})
            icon.addFile(
                QStringLiteral(":/toolbar/%1_%2.png").arg(QLatin1String(file.name)).arg(size),
                QSize(size, size));
    }
    return icon;
}

}  // namespace pathloom::app
