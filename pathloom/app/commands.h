// Every command of the main frame: its identifier, menu text, status-bar prompt and tooltip,
// shortcuts and when it is available, and the layout of the main menu, the context menu and the
// toolbar. The texts are the program's Chinese texts; the translation system gives the English.
#pragma once

#include <vector>

namespace pathloom::app {

// Command identifiers as the program has always numbered them.
enum Command : int {
    CmdNew = 57600,
    CmdImport = 32801,
    CmdExport = 32896,
    CmdExit = 57665,
    CmdConnect = 32802,
    CmdDisconnect = 32803,
    CmdDownload = 32804,
    CmdRemoveTiny = 32805,
    CmdRemoveDuplicates = 32806,
    CmdMerge = 32807,
    CmdCurvePrecision = 32808,
    CmdSplit = 32809,
    CmdChangeStart = 32820,
    CmdOptimizeTravel = 32901,
    CmdGridSort = 32824,
    CmdSortNearest = 32825,
    CmdSortSmallFirst = 32826,
    CmdSortInsideOut = 32827,
    CmdSortLeftToRight = 32828,
    CmdSortRightToLeft = 32830,
    CmdSortTopToBottom = 32831,
    CmdSortBottomToTop = 32832,
    CmdSortShortestTravel = 32960,
    CmdAllowReverse = 32833,
    CmdMoveForward = 32834,
    CmdMoveBack = 32835,
    CmdMoveToFirst = 32836,
    CmdMoveToLast = 32837,
    CmdReverseOrder = 32884,
    CmdReverse = 32838,
    CmdAutoOptimize = 32839,
    CmdProcess = 32840,
    CmdOrigin = 32887,
    CmdShowOpen = 32843,
    CmdShowTravel = 32844,
    CmdShowOrder = 32845,
    CmdShowStart = 32846,
    CmdShowDirection = 32847,
    CmdShowCode = 32848,
    CmdShowGrid = 32903,
    CmdStatusBar = 59393,
    CmdActionManager = 32850,
    CmdSimulate = 32899,
    CmdResetView = 32851,
    CmdManual = 32911,
    CmdAbout = 57664,
    CmdModifyAction = 32889,
    CmdDeleteAction = 32891,
    CmdCustomOrder = 32921,
    CmdCustomZ = 32922,
    CmdCustomSpeed = 32926,
    CmdTranslate = 32927,
    CmdRotate = 32932,
    CmdScale = 32934,
    CmdMirror = 32945,
    CmdMoveStart = 32943,
    CmdSelect = 32881,
    CmdStopSimulation = 32915,
    CmdPauseSimulation = 32916,
    CmdContinueSimulation = 32917,
    CmdCopy = 57634,
    CmdCut = 57635,
    CmdPaste = 57637,
    CmdUndo = 57643,
    CmdNextPane = 57680,
    CmdPreviousPane = 57681,
};

// When a command can run.
enum class Availability {
    Always,
    Idle,          // no simulation runs
    Selection,     // no simulation runs and at least one vect is selected
    Disconnected,  // no simulation runs and no controller is connected
    Connected,     // no simulation runs and a controller is connected
    Simulating,    // a simulation runs, ticking or paused
    Ticking,       // a simulation runs and is not paused
    Paused,        // a simulation runs and is paused
    Later,         // its canvas tool, dialog or simulation is not built yet: shown disabled
};

struct CommandEntry {
    int id;
    const char* text;    // menu text with its mnemonic (translation context "Command")
    const char* prompt;  // "status-bar prompt\ntooltip" (translation context "Command")
    const char* keys;    // shortcuts in portable form, separated by "; "; empty when none
    bool checkable;
    Availability availability;
};

const std::vector<CommandEntry>& commandTable();
const CommandEntry* findCommand(int id);

// One entry of a menu: a command, a separator (id 0, no title) or a submenu (a title).
struct MenuEntry {
    int id = 0;
    const char* title = nullptr;  // submenu title (translation context "Menu")
    std::vector<MenuEntry> entries;
};

// The main menu bar: one submenu per top-level menu.
const std::vector<MenuEntry>& mainMenu();
// The canvas's context menu.
const std::vector<MenuEntry>& contextMenu();
// The toolbar in order; 0 is a separator. The slider and the ratio box follow the last button.
const std::vector<int>& toolbarCommands();

}  // namespace pathloom::app
