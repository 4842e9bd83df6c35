#include "platform/core/Clock.h"

#include <mutex>

namespace qx {

namespace {

std::mutex g_clockMutex;
std::function<std::time_t()> g_now;

} // namespace

std::time_t Now() {
    std::function<std::time_t()> now;
    {
        std::lock_guard lock(g_clockMutex);
        now = g_now;
    }
    // Called outside the lock, so that a test clock may itself call Now().
    return now ? now() : std::time(nullptr);
}

void SetNowForTesting(std::function<std::time_t()> now) {
    std::lock_guard lock(g_clockMutex);
    g_now = std::move(now);
}

} // namespace qx
