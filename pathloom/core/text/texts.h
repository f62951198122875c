// The program's user texts in one keyed table: every status and error text that the converter and
// the desktop program show, in Chinese (the program's own wording) and in English. The language
// follows the locale unless PATHLOOM_LANG says otherwise.
#pragma once

#include <string>
#include <string_view>

namespace pathloom {

enum class Language { Chinese, English };

enum class Text {
    // Status texts of the import pipeline (status bar pane 0).
    Processing,
    AutoDuplicates,
    AutoMerge,
    AutoTiny,
    AutoSmoothing,
    AutoSort,
    AutoTravel,
    Parameters,
    Displaying,
    Ready,
    Simulating,
    PreparingSimulation,
    // Why an open gave no drawing: the message names the file, then the reason.
    OpenFailed,
    ReasonMissing,
    ReasonFolder,
    ReasonUnreadable,
    ReasonEmptyFile,
    ReasonUnknownKind,
    ReasonDamaged,
    ReasonCompressed,
    ReasonOnlyUnconverted,
    ReasonNoShapes,
    ReasonEmptied,
    // The automatic steps by name, for the step that removed every shape.
    StepDuplicates,
    StepMerge,
    StepTiny,
    StepSmoothing,
    StepSort,
    StepTravel,
    // Failed library operations; "%d" takes the code.
    DuplicatesFailed,
    MergeFailed,
    TinyFailed,
    SmoothingFailed,
    AutoSortFailed,
    TravelFailed,
    GridSortFailed,
    SortNearestFailed,
    SortSmallFirstFailed,
    SortInsideOutFailed,
    SortLeftToRightFailed,
    SortRightToLeftFailed,
    SortTopToBottomFailed,
    SortBottomToTopFailed,
    SortShortestTravelFailed,
    HandSortFailed,
    ReverseOrderFailed,
    ReverseFailed,
    SelectGroupFailed,
    ChangeGroupFailed,
    SplitFailed,
    StartPointFailed,
    GenerateFailed,
    // Refusals and notices.
    Unsupported,
    BadParameter,
    BadScale,
    // "%s" takes the range of positions the shape's colour group holds.
    OrderOutsideGroup,
    NoDrawing,
    CodeOutdated,
    ActionsFull,
    ActionsEmpty,
    NotANumber,
    ActionNameInvalid,
    ActionTextAmpersand,
    ActionTooLong,
    ActionNotStorable,
    TextNotStorable,
    ExportFailed,
    // After an export (%s the file), and an export refused for want of a program.
    ExportDone,
    ExportEmpty,
    // F1 without the manual; %s where it is looked for.
    ManualMissing,
    // How to bring the program up to date when the code pane is off (%s the menu item).
    CodeOutdatedHow,
    // The controller link.
    NotConnected,
    ConnectFailed,
    ConnectionLost,
    DownloadFailed,
    DownloadDone,
    // Settings: a refused value (%1 the key, %2 the value, %3 what it is not, %4 what is
    // allowed), the same without the key, and the default taken in its place (%1 the refusal,
    // %2 the default).
    ValueRefused,
    ValueRefusedUnnamed,
    DefaultUsed,
    // The values the settings file holds that were refused at start (%1 the file, %2 one line
    // per value).
    SettingsFileRefused,
    // What each kind of value is ("a speed") and what it allows; %lo, %hi and %unit take the
    // rule's limits and unit.
    RuleSpeed,
    RuleSpeedAllows,
    RuleAcceleration,
    RuleAccelerationAllows,
    RuleDeceleration,
    RuleDecelerationAllows,
    RuleAxis,
    RuleAxisAllows,
    RuleHeight,
    RuleHeightAllows,
    RulePrecision,
    RulePrecisionAllows,
    RuleSize,
    RuleSizeAllows,
    RulePlotterUnits,
    RulePlotterUnitsAllows,
    RuleSortOrder,
    RuleSortOrderAllows,
    RuleCodeType,
    RuleCodeTypeAllows,
    RuleMoveType,
    RuleMoveTypeAllows,
    RuleSwitch,
    RuleSwitchAllows,
    RuleSimulationSpeed,
    RuleSimulationSpeedAllows,
    RulePanelWidth,
    RulePanelWidthAllows,
    RuleOutputProfile,
    RuleOutputProfileAllows,
    RulePercent,
    RulePercentAllows,
    RuleDelay,
    RuleDelayAllows,
    RuleKerfSide,
    RuleKerfSideAllows,
    RuleCorners,
    RuleCornersAllows,
    RuleMitreLimit,
    RuleMitreLimitAllows,
    RuleLeadType,
    RuleLeadTypeAllows,
    RuleLeadAngle,
    RuleLeadAngleAllows,
    RuleStartPoint,
    RuleStartPointAllows,
    RuleCutDirection,
    RuleCutDirectionAllows,
    // What each key of the settings file holds.
    AboutAutoConnect,
    AboutAutoIp,
    AboutCurveSmoothing,
    AboutSmoothingAccuracy,
    AboutRemoveMinimal,
    AboutMinimalWidth,
    AboutMinimalHeight,
    AboutRemoveDuplicates,
    AboutMergeConnected,
    AboutMergeMaxSize,
    AboutSort,
    AboutSortBy,
    AboutChangeDirection,
    AboutOptimizeAbs,
    AboutAutoUnits,
    AboutPltUnits,
    AboutHatchOutlines,
    AboutInnerFirst,
    AboutXAxis,
    AboutYAxis,
    AboutEmptySpeed,
    AboutEmptyAccel,
    AboutEmptyDecel,
    AboutMoveAccel,
    AboutMoveDecel,
    AboutCodeType,
    AboutProcessFilename,
    AboutReturnFirstPos,
    AboutOutputProfile,
    AboutUseZ,
    AboutZAxis,
    AboutDotLift,
    AboutWorkHeight,
    AboutUpliftHeight,
    AboutUseR,
    AboutRAxis,
    AboutRefAccuracy,
    AboutSpeed,
    AboutMoveType,
    AboutCircToSeg,
    AboutBeforeProcessing,
    AboutAfterProcessing,
    AboutStartAction,
    AboutEndAction,
    AboutLaserPower,
    AboutPierceDelay,
    AboutKerfWidth,
    AboutKerfSide,
    AboutKerfCorners,
    AboutMitreLimit,
    AboutLeadType,
    AboutLeadLength,
    AboutLeadAngle,
    AboutOvercut,
    AboutStartPoint,
    AboutCutDirection,
    AboutSimulationSpeed,
    AboutShowClose,
    AboutShowAbs,
    AboutShowOrder,
    AboutShowStartPoint,
    AboutShowDirection,
    AboutShowGcode,
    AboutShowGrids,
    AboutShowDepth,
    AboutShowStatusBar,
    AboutGcodeWidth,
    // The G-code output profiles by name, and the templates around their programs.
    ProfileDefault,
    ProfileLinuxCnc,
    ProfileGrblLaser,
    ProfileGrblSpindle,
    ProfileMach,
    ProfileMarlin,
    AboutProgramHeader,
    AboutProgramFooter,
    // What each placeholder of the templates becomes.
    PlaceholderName,
    PlaceholderDate,
    PlaceholderExtent,
    PlaceholderTime,
    PlaceholderTravel,
    // What the presets' cutting options could not do (%d: how many).
    CutOffsetUnavailable,
    CutShapesUnoffset,
    CutLeadsDropped,
    CutLeadsShortened,
    Count
};

// Chinese for a "zh" language, English for any other. `override` (PATHLOOM_LANG) wins when it is
// "zh" or "en"; otherwise the first set of LC_ALL, LC_MESSAGES and LANG decides.
Language languageFor(const char* override, const char* lcAll, const char* lcMessages,
                     const char* lang);
// The process's language: from the environment at first use, or as last set.
Language language();
void setLanguage(Language language);

std::string_view text(Text id, Language language);
std::string_view text(Text id);
// The text with its "%d" replaced by `code`, and the code's reason in words after it when the
// code has one: "下载失败，1001（未连接控制器）".
std::string textWithCode(Text id, int code);
// What a result code of the library, the controller library or the controller means; empty for
// a code without a reason.
std::string_view codeReason(int code, Language language);
std::string_view codeReason(int code);
// Why a file could not be written, in words, for an errno value (never the system's English).
std::string systemReason(int error);
// The text with its "%s" replaced by `value`.
std::string textWithValue(Text id, std::string_view value);

}  // namespace pathloom
