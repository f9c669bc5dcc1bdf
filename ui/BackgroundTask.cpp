#include "ui/BackgroundTask.h"

#include <utility>

namespace rockpile {

BackgroundTask::BackgroundTask(Work work, QObject* parent) : QObject(parent), work_(std::move(work)) {}

BackgroundTask::~BackgroundTask()
{
    // Signals still queued for this object are dropped with it.
    requestStop();
    wait();
}

void BackgroundTask::start()
{
    if (thread_.joinable()) return;
    // The signals are emitted from the worker; Qt queues them to this object's thread.
    thread_ = std::jthread([this](std::stop_token stop) {
        const Progress report = [this](std::uint64_t done, std::uint64_t total) {
            emit progress(quint64(done), quint64(total));
        };
        work_(stop, report);
        emit finished();
    });
}

void BackgroundTask::requestStop()
{
    stopRequested_ = true;
    if (thread_.joinable()) thread_.request_stop();
}

void BackgroundTask::wait()
{
    if (thread_.joinable()) thread_.join();
}

}  // namespace rockpile
