// Progress and cancelling of long operations, per thread. A host that runs a sort or a clean-up
// on a thread of its own sets a callback there; the operation reports every few thousand items
// and stops when the callback asks it to, as long as it has not yet begun to change its input.
#pragma once

#include <atomic>

namespace lintrel {

using ProgressCallback = int (*)(void* context, int percent);

// Thrown at a check where the host asked to stop and nothing is changed yet; the export turns it
// into LINTREL_CANCELLED.
struct Cancelled {};

// The calling thread's callback; null turns reports off.
void setProgressCallback(ProgressCallback callback, void* context);

// One export's run: the outermost scope on a thread starts with an unchanged input.
class OperationScope {
  public:
    OperationScope();
    ~OperationScope();
    OperationScope(const OperationScope&) = delete;
    OperationScope& operator=(const OperationScope&) = delete;
};

// The operation has begun to change its input: from here on it finishes whatever the host asks.
void noteInputChanged();

// Reports `done` of `total` items when a callback is set; throws Cancelled when the callback asks
// to stop and the input is still as given. Cheap enough to call every few thousand items.
void reportProgress(long long done, long long total);

// True when the calling thread has a callback, so that work only reports need can be skipped.
bool progressWanted();

// A part of an operation (one group's list of a drawing): while it lives, the part's reports
// become shares of the whole, the part covering `size` of `total` items after `before`. In an
// operation shared between threads, each thread's parts follow one another (none within
// another), and a part adds all of its share to the operation's progress when it ends.
class ProgressPart {
  public:
    ProgressPart(long long before, long long size, long long total);
    ~ProgressPart();
    ProgressPart(const ProgressPart&) = delete;
    ProgressPart& operator=(const ProgressPart&) = delete;

  private:
    double savedFrom_, savedWidth_;
};

// One operation run on several threads. The calling thread and its helpers share one account
// of whether the input has changed: a stop the host asks for (on the calling thread, whose
// callback it is) is taken only while no thread has changed anything, and then every thread
// stops before its first change; once one has changed its part, all of them finish. They also
// share one account of progress: the parts (`ProgressPart`) each thread works through add up,
// and the calling thread's callback hears the sum.
class SharedOperation {
  public:
    SharedOperation();  // the calling thread's changes, stops and reports now go through it
    ~SharedOperation();
    SharedOperation(const SharedOperation&) = delete;
    SharedOperation& operator=(const SharedOperation&) = delete;

    // On the calling thread while it waits for its helpers: reports the progress of all of
    // them and takes a stop as `reportProgress` does.
    void report();

    // A helper thread's part of the operation, while the scope lives. A helper reports to no
    // callback; it stops at its next report or change once the calling thread has stopped.
    class Helper {
      public:
        explicit Helper(SharedOperation& operation);
        ~Helper();
        Helper(const Helper&) = delete;
        Helper& operator=(const Helper&) = delete;
    };

    struct State {
        std::atomic<int> stage;       // unchanged, changed, or stopped
        std::atomic<long long> done;  // millionths of the operation, over all threads
        double from, width;           // the operation's place in the calling thread's whole
    };

  private:
    State state_;
    State* saved_;
    double savedFrom_, savedWidth_;
};

// Items between two reports.
constexpr long long kProgressInterval = 2048;

}  // namespace lintrel
