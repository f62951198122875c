// Tests that read messages in one language: the language is chosen for the life of an object,
// and the one before comes back afterwards, also when an assertion ends the test early.
#pragma once

#include "core/text/texts.h"

namespace pathloom::test {

class InLanguage {
  public:
    explicit InLanguage(Language chosen) : before_(language()) { setLanguage(chosen); }
    ~InLanguage() { setLanguage(before_); }
    InLanguage(const InLanguage&) = delete;
    InLanguage& operator=(const InLanguage&) = delete;

  private:
    Language before_;
};

}  // namespace pathloom::test
