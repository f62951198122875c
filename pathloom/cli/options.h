// The converter's command line: what it was asked to do, and the help text.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pathloom::cli {

// Exit codes, documented in the help text.
enum ExitCode {
    kExitOk = 0,
    kExitDrawing = 1,   // the drawing cannot be read, or an automatic step failed
    kExitUsage = 2,     // unknown option, missing argument, unknown setting
    kExitOutput = 3,    // the program file or the settings file cannot be used
    kExitGenerate = 4,  // no program could be written for this drawing
    kExitDownload = 5,  // the controller refused the connection or the download
};

enum class Command { Help, Version, Convert, Info, Preview };

struct Options {
    Command command = Command::Help;
    std::string drawing;
    std::string output;  // empty: standard output
    std::optional<std::string> settingsFile;
    std::optional<int> codeType;                                // 0 Basic, 1 G-code
    std::optional<int> outputProfile;                           // --profile, as an index
    std::vector<std::pair<std::string, std::string>> settings;  // --set KEY=VALUE, in order
    bool autoOptimize = true;
    std::string downloadAddress;
    std::string downloadName;
    bool quiet = false;
    std::optional<int> page;  // --page: the page of a drawing of several pages, from 1
    bool progress = false;    // a progress line while a step runs (also when stderr is a terminal)
};

struct ParseResult {
    Options options;
    std::string error;  // empty when the command line is good
};

ParseResult parseOptions(const std::vector<std::string>& arguments);

extern const char* const kHelpText;

}  // namespace pathloom::cli
