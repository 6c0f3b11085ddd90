#pragma once

#include <cstddef>
#include <functional>

namespace zuzo::cli {

// Runs job(0) … job(count - 1) at once, each on a thread of its own with an
// event dispatcher (the serial port layer wants one on the thread that uses
// a port), and returns when every job has ended. What a job stored is then
// safe to read on the calling thread.
void on_port_threads(std::size_t count, const std::function<void(std::size_t)>& job);

} // namespace zuzo::cli
