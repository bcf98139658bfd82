#include "platform/RootProbe.h"

#include <sys/stat.h>

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace platform {

namespace {

struct Probe {
    std::mutex Mutex;
    std::condition_variable Done;
    bool Finished = false;
    bool Directory = false;
};

std::mutex g_mutex;
// Look-ups that have not come back yet, by path: a hanging mount gets one thread, not one per tick.
std::map<std::string, std::shared_ptr<Probe>> g_pending;

} // namespace

bool RootReachable(const std::string& nativePath, std::chrono::milliseconds timeout) {
    std::shared_ptr<Probe> probe;
    {
        const std::lock_guard lock(g_mutex);
        const auto pending = g_pending.find(nativePath);
        if (pending != g_pending.end()) {
            const std::lock_guard probeLock(pending->second->Mutex);
            if (!pending->second->Finished) return false;
            g_pending.erase(pending);
        }
        probe = std::make_shared<Probe>();
        g_pending.emplace(nativePath, probe);
    }
    // The thread owns its share of the probe; a stat that never returns keeps only that thread.
    std::thread([probe, nativePath] {
        struct stat st {};
        const bool directory = ::stat(nativePath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        const std::lock_guard lock(probe->Mutex);
        probe->Directory = directory;
        probe->Finished = true;
        probe->Done.notify_all();
    }).detach();
    std::unique_lock lock(probe->Mutex);
    if (!probe->Done.wait_for(lock, timeout, [&] { return probe->Finished; })) return false;
    const bool reachable = probe->Directory;
    lock.unlock();
    const std::lock_guard mapLock(g_mutex);
    const auto pending = g_pending.find(nativePath);
    if (pending != g_pending.end() && pending->second == probe) g_pending.erase(pending);
    return reachable;
}

} // namespace platform
