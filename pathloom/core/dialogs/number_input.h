// Numbers typed into the dialogs: only whole, finite numbers are taken, and the value rules that
// keep a typed number inside what the drawing and the program can hold.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pathloom {

// The number a field holds: decimal or exponent notation, surrounding blanks allowed. Nothing
// for an empty field, trailing text, infinities, NaN and values beyond a double.
std::optional<double> parseNumber(std::string_view text);

// The position the order dialog moves to: the value truncated toward zero, and limited to the
// range of an int so that a huge entry means "last" instead of an undefined conversion. Values
// below 1 give 0, which the order command refuses.
int orderPosition(double value);

// True for a scale factor that single precision can carry (the library scales with floats).
bool scaleFitsFloat(double factor);

// A value as the dialogs show it: "%.4lf" for the four-decimal fields, shortest round-trip form
// for the others.
std::string fourDecimals(double value);
std::string shortestNumber(double value);
// A measure as every dialog shows it: four decimals like the program text ("55.0000"), or the
// shortest round-trip form when four decimals would change the value.
std::string dialogNumber(double value);

// A coordinate rounded to four decimals as the start-point and rotate dialogs show it.
double roundedToFourDecimals(double value);

}  // namespace pathloom
