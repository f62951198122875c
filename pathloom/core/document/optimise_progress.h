// How far the automatic optimisation after an import has come: the step that runs (its status
// text) and the share of the whole run done, fed by the status texts of the steps and by the
// library's progress reports on the thread that runs them. It also carries the operator's
// request to stop, which the library honours inside a step and the steps honour between them.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "core/document/status_sink.h"
#include "core/settings/settings.h"

namespace pathloom {

class OptimiseProgress final : public StatusSink {
  public:
    // `forward`, when given, receives the status texts and messages as they come (on the
    // thread that runs the steps); otherwise messages are kept for `messages()`.
    explicit OptimiseProgress(const AutoOptimizeSettings& steps, StatusSink* forward = nullptr);

    void status(std::string_view text) override;
    void message(std::string_view text) override;
    bool stopRequested() const override { return stop_.load(); }

    // Any thread.
    void requestStop() { stop_.store(true); }
    int percent() const { return percent_.load(); }
    std::string step() const;
    std::vector<std::string> messages() const;
    // Changes whenever the step or the percent changes, for a reader that polls.
    unsigned revision() const { return revision_.load(); }

    // Called on the running thread whenever the step or the percent changed.
    std::function<void()> onChange;

    // Sends the library's progress reports of the calling thread here while it lives.
    class Listening {
      public:
        explicit Listening(OptimiseProgress& progress);
        ~Listening();
        Listening(const Listening&) = delete;
        Listening& operator=(const Listening&) = delete;
    };

  private:
    static int report(void* self, int percent);
    void setPercent(int share);

    int steps_;
    StatusSink* forward_;
    std::atomic<bool> stop_{false};
    std::atomic<int> percent_{0};
    std::atomic<unsigned> revision_{0};
    int stepIndex_ = -1;  // only the running thread writes it
    mutable std::mutex mutex_;
    std::string step_;
    std::vector<std::string> messages_;
};

// Number of the six automatic steps that are switched on.
int enabledSteps(const AutoOptimizeSettings& steps);

}  // namespace pathloom
