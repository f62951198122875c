// The program's language: Chinese texts as written, English through the compiled translation.
#pragma once

#include "core/text/texts.h"

namespace pathloom::app {

// Sets the engine's language and installs (or removes) the English translation. Windows made
// afterwards speak the language.
void useLanguage(Language language);

}  // namespace pathloom::app
