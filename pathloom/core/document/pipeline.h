// The open command and regeneration as the desktop program and the converter both run them:
// the document pipeline, the process parameters of the groups, and the program text.
#pragma once

#include <string>
#include <string_view>

#include "core/codegen/program.h"
#include "core/controller/controller_link.h"
#include "core/document/document.h"
#include "core/settings/settings.h"

namespace pathloom {

// Writes the program in the language the settings choose into the document's code text. On a
// failure the previous text stays and the reason is shown. True when the text was replaced.
bool regenerate(Document& document, const ProcessSettings& process, ControllerLink* link,
                StatusSink& sink);

// The program of a drawing that will be the document's, named `name` (the file name) and dated
// today: the part of `regenerate` that needs no document, for a thread of its own.
WriteResult writeDrawingProgram(VectGroup* drawing, const std::string& name,
                                const ProcessSettings& process, ControllerLink* link);
// The rest of it: a written program becomes the document's text, a failure is shown.
bool acceptProgram(Document& document, WriteResult written, StatusSink& sink);

// Everything after the file was chosen: the pipeline, then every vect takes its group preset's
// values, then the program is regenerated when the code pane is shown ("Show gcode"). `page`
// (from 1) chooses the page of a drawing of several pages (PDF); `previous` as for
// Document::open.
OpenResult openDrawing(Document& document, std::string_view path, const Settings& settings,
                       ControllerLink* link, StatusSink& sink, int page = 1,
                       VectGroup** previous = nullptr);

}  // namespace pathloom
