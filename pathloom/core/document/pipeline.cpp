// Open and regenerate.
#include "core/document/pipeline.h"

#include <ctime>
#include <string>

#include "core/codegen/program.h"
#include "core/presets/apply.h"
#include "core/text/texts.h"

namespace pathloom {
namespace {

std::string todayText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

}  // namespace

bool regenerate(Document& document, const ProcessSettings& process, ControllerLink* link,
                StatusSink& sink) {
    if (!document.drawing()) {
        document.setCode({});
        return true;
    }
    return acceptProgram(
        document, writeDrawingProgram(document.drawing(), document.name(), process, link), sink);
}

WriteResult writeDrawingProgram(VectGroup* drawing, const std::string& name,
                                const ProcessSettings& process, ControllerLink* link) {
    return writeProgram(drawing, process, link, {name, todayText()});
}

bool acceptProgram(Document& document, WriteResult written, StatusSink& sink) {
    switch (written.status) {
        case WriteStatus::Ok:
            document.setCode(std::move(written.program.text), std::move(written.program.lineMap));
            for (const std::string& line : cutNoteLines(written.cutNotes))
                sink.status(line);
            return true;
        case WriteStatus::FlattenFailed:
            sink.message(textWithCode(Text::GenerateFailed, written.code));
            return false;
        case WriteStatus::Unsupported:
            sink.message(text(Text::Unsupported));
            return false;
    }
    return false;
}

OpenResult openDrawing(Document& document, std::string_view path, const Settings& settings,
                       ControllerLink* link, StatusSink& sink, int page, VectGroup** previous) {
    const OpenResult result = document.open(path, settings.optimize, sink, page, previous);
    if (result != OpenResult::Done) return result;
    sink.status(text(Text::Parameters));
    assignPresets(document.drawing(), settings.process.presets);
    sink.status(text(Text::Displaying));
    if (settings.view.showGcode) regenerate(document, settings.process, link, sink);
    return result;
}

}  // namespace pathloom
