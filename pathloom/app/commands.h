// Every command of the main frame: its identifier, menu text, status-bar prompt and tooltip,
// shortcuts and when it is available, and the layout of the main menu, the context menu and the
// toolbar. The texts are the program's Chinese texts; the translation system gives the English.
#pragma once

#include <optional>
#include <vector>

namespace pathloom::app {

// The commands, numbered as the program has always numbered them: each action carries its
// number as data and in its object name ("command<number>").
enum class Command : int {
    New = 57600,
    Import = 32801,
    Export = 32896,
    Exit = 57665,
    Connect = 32802,
    Disconnect = 32803,
    Download = 32804,
    RemoveTiny = 32805,
    RemoveDuplicates = 32806,
    Merge = 32807,
    CurvePrecision = 32808,
    Split = 32809,
    ChangeStart = 32820,
    OptimizeTravel = 32901,
    GridSort = 32824,
    SortNearest = 32825,
    SortSmallFirst = 32826,
    SortInsideOut = 32827,
    SortLeftToRight = 32828,
    SortRightToLeft = 32830,
    SortTopToBottom = 32831,
    SortBottomToTop = 32832,
    SortShortestTravel = 32960,
    InnerFirst = 32961,
    AllowReverse = 32833,
    MoveForward = 32834,
    MoveBack = 32835,
    MoveToFirst = 32836,
    MoveToLast = 32837,
    ReverseOrder = 32884,
    Reverse = 32838,
    AutoOptimize = 32839,
    Process = 32840,
    Origin = 32887,
    ProgramTemplates = 32962,
    ShowOpen = 32843,
    ShowTravel = 32844,
    ShowOrder = 32845,
    ShowStart = 32846,
    ShowDirection = 32847,
    ShowCode = 32848,
    ShowGrid = 32903,
    ShowDepth = 32968,
    StatusBar = 59393,
    ActionManager = 32850,
    Simulate = 32899,
    ResetView = 32851,
    Manual = 32911,
    About = 57664,
    ModifyAction = 32889,
    DeleteAction = 32891,
    CustomOrder = 32921,
    CustomZ = 32922,
    CustomSpeed = 32926,
    Translate = 32927,
    Rotate = 32932,
    Scale = 32934,
    Mirror = 32945,
    MoveStart = 32943,
    Select = 32881,
    StopSimulation = 32915,
    PauseSimulation = 32916,
    ContinueSimulation = 32917,
    Copy = 57634,
    Cut = 57635,
    Paste = 57637,
    Undo = 57643,
    Redo = 57644,
    NextPane = 57680,
    PreviousPane = 57681,
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
    Undoable,      // no simulation or optimisation runs and there is a step to undo
    Redoable,      // no simulation or optimisation runs and there is a step to redo
    Later,         // its canvas tool, dialog or simulation is not built yet: shown disabled
};

constexpr int commandNumber(Command command) {
    return static_cast<int>(command);
}

struct CommandEntry {
    Command command;
    const char* text;    // menu text with its mnemonic (translation context "Command")
    const char* prompt;  // "status-bar prompt\ntooltip" (translation context "Command")
    const char* keys;    // shortcuts in portable form, separated by "; "; empty when none
    bool checkable;
    Availability availability;
};

const std::vector<CommandEntry>& commandTable();

// One entry of a menu: a command, a separator (neither command nor title) or a submenu (a title).
struct MenuEntry {
    std::optional<Command> command;
    const char* title = nullptr;  // submenu title (translation context "Menu")
    std::vector<MenuEntry> entries;
};

// The main menu bar: one submenu per top-level menu.
const std::vector<MenuEntry>& mainMenu();
// The canvas's context menu.
const std::vector<MenuEntry>& contextMenu();
// The toolbar in order; an empty entry is a separator. The slider and the ratio box follow the last
// button.
const std::vector<std::optional<Command>>& toolbarCommands();

}  // namespace pathloom::app
