// Number text of the machine programs and the reports: every number is written as with printf
// "%.4lf" (or "%.*f"), byte for byte, except that a number printed as zero carries no sign; the
// programs' form avoids the cost of printf on the hot path of program writing.
#pragma once

#include <string>

namespace pathloom {

// Appends `value` formatted as snprintf "%.4lf" would format it, but "0.0000" for every value that
// prints as zero: a controller's display and an operator read "-0.0000" as a fault.
void appendFixed4(std::string& out, double value);

// `value` with `decimals` decimals as "%.*f" writes it, with the same unsigned zero, for the
// reports, dialogs and status texts.
std::string fixedText(double value, int decimals);

// The shortest text that reads back as `value` (an unsigned "0" for either zero).
std::string shortestText(double value);

// Appends a decimal integer, as "%d".
void appendInt(std::string& out, long long value);

}  // namespace pathloom
