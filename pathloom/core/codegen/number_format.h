// Number text of the machine programs: every number is written as with printf "%.4lf", byte for
// byte, but without the cost of printf on the hot path of program writing.
#pragma once

#include <string>

namespace pathloom {

// Appends `value` formatted exactly as snprintf "%.4lf" would format it.
void appendFixed4(std::string& out, double value);

// Appends a decimal integer, as "%d".
void appendInt(std::string& out, long long value);

}  // namespace pathloom
