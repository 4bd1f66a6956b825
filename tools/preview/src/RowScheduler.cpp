#include "RowScheduler.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace preview {
namespace {

class RowQueue {
public:
    explicit RowQueue(int rowCount) : rowCount_(rowCount) {}

    // The next row to render, or -1 when none is left or a row failed.
    int Take() {
        if (failed_.load()) {
            return -1;
        }
        const int row = next_.fetch_add(1);
        return row < rowCount_ ? row : -1;
    }

    // Counted without waking the calling thread: it polls the count for the progress line, so
    // a finished row never takes a lock or preempts a render thread.
    void MarkDone() { done_.fetch_add(1, std::memory_order_relaxed); }

    void Fail(std::exception_ptr error) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!error_) {
            error_ = error;
        }
        failed_.store(true);
    }

    void WorkerEnded() {
        std::lock_guard<std::mutex> lock(mutex_);
        ++ended_;
        changed_.notify_all();
    }

    // Waits until every worker has ended, reporting progress about ten times a second.
    void AwaitWorkers(int workerCount, ProgressLine* progress) {
        std::unique_lock<std::mutex> lock(mutex_);
        while (ended_ < workerCount) {
            changed_.wait_for(lock, std::chrono::milliseconds(100));
            if (progress != nullptr) {
                progress->Show(done_.load(std::memory_order_relaxed));
            }
        }
    }

    std::exception_ptr Error() const { return error_; }

private:
    const int rowCount_;
    std::atomic<int> next_{0};
    std::atomic<bool> failed_{false};
    std::mutex mutex_;
    std::condition_variable changed_;
    std::atomic<int> done_{0};
    int ended_ = 0;
    std::exception_ptr error_;
};

void RunWorker(RowQueue& queue, const RowRenderer& render) {
    try {
        for (int row = queue.Take(); row >= 0; row = queue.Take()) {
            render(row);
            queue.MarkDone();
        }
    } catch (...) {
        queue.Fail(std::current_exception());
    }
    queue.WorkerEnded();
}

} // namespace

int AvailableThreads() {
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

void RenderRows(int rowCount, int threadCount, const RowRendererFactory& makeRenderer,
                ProgressLine* progress) {
    const int workerCount = std::max(1, std::min(threadCount, rowCount));
    std::vector<RowRenderer> renderers;
    for (int worker = 0; worker < workerCount; ++worker) {
        renderers.push_back(makeRenderer());
    }
    RowQueue queue(rowCount);
    std::vector<std::thread> threads;
    for (const RowRenderer& renderer : renderers) {
        threads.emplace_back(RunWorker, std::ref(queue), std::cref(renderer));
    }
    queue.AwaitWorkers(workerCount, progress);
    for (std::thread& thread : threads) {
        thread.join();
    }
    if (progress != nullptr) {
        progress->Finish();
    }
    if (queue.Error()) {
        std::rethrow_exception(queue.Error());
    }
}

} // namespace preview
