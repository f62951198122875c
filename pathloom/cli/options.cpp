// Parsing of the converter's command line.
#include "cli/options.h"

#include <charconv>

#include "core/codegen/output_profile.h"

namespace pathloom::cli {

const char* const kHelpText =
    "Usage:\n"
    "  pathloom-cli convert DRAWING [options]   write the machine program of a drawing\n"
    "  pathloom-cli info DRAWING [options]      summarise a drawing after the automatic steps\n"
    "  pathloom-cli preview DRAWING -o FILE.svg draw the drawing as the desktop program's canvas\n"
    "                                           shows it after the automatic steps (its display\n"
    "                                           settings choose the layers; travel is dashed)\n"
    "  pathloom-cli --help | --version\n"
    "\n"
    "DRAWING is a DXF, DST, PLT, AI, SVG or PDF file. The drawing goes through the same steps as\n"
    "when it is opened in the desktop program: import, the automatic clean-up and ordering that\n"
    "the settings enable, unit conversion to millimetres, and the process parameters of each\n"
    "colour group.\n"
    "\n"
    "Options:\n"
    "  -o, --output FILE        write the program to FILE (default: standard output); an existing\n"
    "                           file is replaced only once the whole program is written\n"
    "  --settings FILE          read the settings from FILE instead of the program's Setting.ini\n"
    "                           (--settings /dev/null uses the built-in defaults)\n"
    "  --language basic|gcode   the program's language (default: the setting \"Show code type\")\n"
    "  --profile NAME           the G-code output profile: default (the form Pathloom has always\n"
    "                           written), linuxcnc, grbl-laser, grbl-spindle, mach (Mach3/Mach4)\n"
    "                           or marlin; implies --language gcode unless --language is given\n"
    "                           (the same as --set \"Output profile=N\", N counted from 0)\n"
    "  --set KEY=VALUE          override one setting, for example --set \"Speed1=150\" or\n"
    "                           --set \"Sort by=4\"; may be given several times; a value outside\n"
    "                           what its key allows is refused (a bad value in the settings file\n"
    "                           is a warning, and its default is used)\n"
    "  --no-auto-optimize       import only: no duplicate removal, merging, tiny-shape removal,\n"
    "                           curve precision, sorting or travel optimisation\n"
    "  --download ADDRESS       also send the program to the controller at ADDRESS (host or\n"
    "                           host:port); the controller's positions are read first, as the\n"
    "                           desktop program does when it is connected\n"
    "  --name FILE              the program's name on the controller (default: the setting\n"
    "                           \"process filename\")\n"
    "  --page N                 the page of a PDF drawing to read (default: the first); a page\n"
    "                           the drawing does not have is refused, naming its page count\n"
    "  -q, --quiet              no status texts on standard error\n"
    "  --progress               a progress line (step and percent) on standard error while the\n"
    "                           automatic optimisation runs; on by default when standard error\n"
    "                           is a terminal and --quiet is not given\n"
    "\n"
    "Status texts and progress go to standard error, the program to standard output or FILE.\n"
    "\n"
    "Exit codes:\n"
    "  0  success\n"
    "  1  the drawing cannot be read, or an automatic step failed\n"
    "  2  bad command line (unknown option or setting, a value the setting does not allow,\n"
    "     missing argument)\n"
    "  3  the output file or the settings file cannot be used\n"
    "  4  no program can be written for this drawing\n"
    "  5  the controller refused the connection or the download\n";

namespace {

// The import options have room for page numbers up to this.
constexpr int kMaxPage = 32768;

bool takesValue(const std::string& option) {
    return option == "-o" || option == "--output" || option == "--settings" ||
           option == "--language" || option == "--profile" || option == "--set" ||
           option == "--download" || option == "--name" || option == "--page";
}

std::string applyOption(Options& o, const std::string& option, const std::string& value) {
    if (option == "-o" || option == "--output") {
        o.output = value;
    } else if (option == "--settings") {
        o.settingsFile = value;
    } else if (option == "--language") {
        if (value == "basic")
            o.codeType = 0;
        else if (value == "gcode")
            o.codeType = 1;
        else
            return "unknown language '" + value + "' (use basic or gcode)";
    } else if (option == "--profile") {
        o.outputProfile = outputProfileIndex(value);
        if (!o.outputProfile)
            return "unknown profile '" + value + "' (use " + outputProfileNames() + ")";
    } else if (option == "--set") {
        const size_t equals = value.find('=');
        if (equals == std::string::npos || equals == 0)
            return "--set needs KEY=VALUE, got '" + value + "'";
        o.settings.emplace_back(value.substr(0, equals), value.substr(equals + 1));
    } else if (option == "--page") {
        int page = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), page);
        if (error != std::errc() || end != value.data() + value.size() || page < 1 ||
            page > kMaxPage)
            return "--page needs a page number from 1 to " + std::to_string(kMaxPage) + ", got '" +
                   value + "'";
        o.page = page;
    } else if (option == "--download") {
        o.downloadAddress = value;
    } else if (option == "--name") {
        o.downloadName = value;
    }
    return {};
}

}  // namespace

ParseResult parseOptions(const std::vector<std::string>& arguments) {
    ParseResult result;
    Options& o = result.options;
    if (arguments.empty()) return result;
    const std::string& first = arguments[0];
    if (first == "--help" || first == "-h" || first == "help") return result;
    if (first == "--version") {
        o.command = Command::Version;
        return result;
    }
    if (first == "convert")
        o.command = Command::Convert;
    else if (first == "info")
        o.command = Command::Info;
    else if (first == "preview")
        o.command = Command::Preview;
    else {
        result.error = "unknown command '" + first + "'";
        return result;
    }
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--help" || a == "-h") {
            o.command = Command::Help;
            return result;
        }
        if (a == "--no-auto-optimize") {
            o.autoOptimize = false;
        } else if (a == "-q" || a == "--quiet") {
            o.quiet = true;
        } else if (a == "--progress") {
            o.progress = true;
        } else if (takesValue(a)) {
            if (i + 1 >= arguments.size()) {
                result.error = "option " + a + " needs a value";
                return result;
            }
            result.error = applyOption(o, a, arguments[++i]);
            if (!result.error.empty()) return result;
        } else if (a.size() > 1 && a[0] == '-') {
            result.error = "unknown option '" + a + "'";
            return result;
        } else if (o.drawing.empty()) {
            o.drawing = a;
        } else {
            result.error = "more than one drawing given ('" + o.drawing + "' and '" + a + "')";
            return result;
        }
    }
    if (o.drawing.empty())
        result.error = "no drawing given";
    else if (o.command == Command::Info && !o.output.empty())
        result.error = "info writes no program; -o is not used";
    else if (!o.downloadName.empty() && o.downloadAddress.empty())
        result.error = "--name needs --download";
    return result;
}

}  // namespace pathloom::cli
