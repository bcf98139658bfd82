#include "ui/SourceCounter.h"

#include "platform/ErrorCodes.h"

#include <QMetaObject>

namespace ui {

cSourceCounter::~cSourceCounter() {
    for (const auto& job : m_jobs)
        job->Stop = true;
    for (const auto& job : m_jobs)
        job->Thread.join();
}

void cSourceCounter::Cancel() {
    for (const auto& job : m_jobs)
        job->Stop = true;
    ++m_generation;
    m_busy = false;
}

void cSourceCounter::Start(cParameters params) {
    Cancel();
    JoinFinished();
    const int generation = m_generation;
    auto job = std::make_unique<cJob>();
    cJob* running = job.get();
    // The thread owns its copy of the settings; it reaches the counter only through a queued call, which Qt drops
    // when the counter is gone (the destructor waits for the thread before that).
    running->Thread = std::thread([this, running, generation, params = std::move(params)] {
        cSelectionCount count;
        const int result = CountSelection(
            params, [running] { return running->Stop.load(); }, count);
        running->Done = true;
        QMetaObject::invokeMethod(
            this, [this, generation, result, count] { Finished(generation, result, count); }, Qt::QueuedConnection);
    });
    m_jobs.push_back(std::move(job));
    m_busy = true;
}

void cSourceCounter::Finished(int generation, int result, cSelectionCount count) {
    JoinFinished();
    if (generation != m_generation || result == platform::kCancelled) return;
    m_busy = false;
    emit Counted(result, count);
}

void cSourceCounter::JoinFinished() {
    std::erase_if(m_jobs, [](const std::unique_ptr<cJob>& job) {
        if (!job->Done) return false;
        job->Thread.join();
        return true;
    });
}

} // namespace ui
