// Diagnostic codes of the HPGL/PLT reader (200-299): what it skipped while reading a plotter
// file. Each code counts occurrences in one import.
#pragma once

namespace lintrel::diag {

inline constexpr int kPltLabelSkipped = 201;    // a label (LB, BL) or comment: text is not drawn
inline constexpr int kPltFillSkipped = 202;     // a fill, polygon or shading instruction
inline constexpr int kPltScalingSkipped = 203;  // a window or rotation; units without a window
inline constexpr int kPltSetupSkipped = 204;    // a pen, line or device setup instruction
inline constexpr int kPltUnknownSkipped = 205;  // an instruction this reader does not know
inline constexpr int kPltBytesSkipped = 206;    // bytes that start no instruction
inline constexpr int kPltDeviceControlSkipped = 207;  // an escape sequence for the device
inline constexpr int kPltBadParameters = 208;         // a drawing instruction with unusable numbers
inline constexpr int kPltEncodedDamaged = 209;        // encoded polyline data (PE) that breaks off
inline constexpr int kPltCurveStepsLimited = 210;     // a circle or arc too large to flatten fully

}  // namespace lintrel::diag
