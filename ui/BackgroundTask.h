#pragma once
// One piece of long work off the user interface thread.
//
// The design search and the sort of a very long result list are pure functions of
// plain data, so they can run in a worker thread while the window stays responsive.
// The work receives a stop token and a progress function; it keeps its result in data
// that its caller owns and must not touch any widget. `progress` and `finished` are
// delivered on the thread that owns the task (the user interface thread).
//
// Destroying the task asks the work to stop and waits for it, so a window that closes
// during a search never leaves a thread behind.

#include <cstdint>
#include <functional>
#include <stop_token>
#include <thread>

#include <QObject>

namespace rockpile {

class BackgroundTask : public QObject {
    Q_OBJECT
public:
    using Progress = std::function<void(std::uint64_t done, std::uint64_t total)>;
    using Work = std::function<void(std::stop_token stop, const Progress& progress)>;

    explicit BackgroundTask(Work work, QObject* parent = nullptr);
    ~BackgroundTask() override;

    // Starts the work once.
    void start();
    // Asks the work to stop at its next check; `finished` still follows.
    void requestStop();
    bool stopRequested() const { return stopRequested_; }
    // Waits for the work to end (at once after `finished`).
    void wait();

signals:
    void progress(quint64 done, quint64 total);
    // The work has returned; its result may be read.
    void finished();

private:
    Work work_;
    std::jthread thread_;
    bool stopRequested_ = false;
};

}  // namespace rockpile
