// Open and regenerate.
#include "core/document/pipeline.h"

#include <string>

#include "core/codegen/program.h"
#include "core/presets/apply.h"

namespace pathloom {

bool regenerate(Document& document, const ProcessSettings& process, ControllerLink* link,
                StatusSink& sink) {
    if (!document.drawing()) {
        document.setCode({});
        return true;
    }
    WriteResult written = writeProgram(document.drawing(), process, link);
    switch (written.status) {
        case WriteStatus::Ok:
            document.setCode(std::move(written.program.text));
            return true;
        case WriteStatus::FlattenFailed:
            sink.message("生成代码出错，" + std::to_string(written.code));
            return false;
        case WriteStatus::Unsupported:
            sink.message(kUnsupportedText);
            return false;
    }
    return false;
}

OpenResult openDrawing(Document& document, std::string_view path, const Settings& settings,
                       ControllerLink* link, StatusSink& sink) {
    const OpenResult result = document.open(path, settings.optimize, sink);
    if (result != OpenResult::Done) return result;
    sink.status("正在处理参数...");
    assignPresets(document.drawing(), settings.process.presets);
    sink.status("正在显示图形，请稍后...");
    if (settings.view.showGcode) regenerate(document, settings.process, link, sink);
    return result;
}

}  // namespace pathloom
