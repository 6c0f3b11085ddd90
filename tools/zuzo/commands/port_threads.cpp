#include "tools/zuzo/commands/port_threads.h"

#include <QThread>

#include <memory>
#include <mutex>
#include <vector>

namespace zuzo::cli {

void on_port_threads(std::size_t count, const std::function<void(std::size_t)>& job)
{
    // Each job ends by taking the lock, and so does this thread after the
    // waits: that orders every job's stores before the caller's reads also
    // for a checker that does not see the locks inside Qt's wait()
    // (ThreadSanitizer with an uninstrumented Qt).
    std::mutex done;
    std::vector<std::unique_ptr<QThread>> threads;
    threads.reserve(count);
    for (std::size_t k = 0; k < count; ++k) {
        threads.emplace_back(QThread::create([&, k] {
            job(k);
            const std::lock_guard lock(done);
        }));
        threads.back()->start();
    }
    for (const std::unique_ptr<QThread>& thread : threads)
        thread->wait();
    const std::lock_guard lock(done);
}

} // namespace zuzo::cli
