// The source dialog's live count: counts what the settings select on a thread of its own, one count at a time;
// a new count cancels the one still running, and only the newest reports.
#pragma once

#include "engine/SourceCount.h"
#include "profile/Parameters.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace ui {

class cSourceCounter : public QObject {
    Q_OBJECT
public:
    explicit cSourceCounter(QObject* parent = nullptr) : QObject(parent) {}
    // Stops every count still running and waits for them; a stopped count ends within a folder's listing.
    ~cSourceCounter() override;

    // Counts what params select; a count still running is cancelled and never reports.
    void Start(cParameters params);
    void Cancel();
    bool Busy() const { return m_busy; }

signals:
    // The result of the newest count: 0, or the error of CountSelection (never kCancelled).
    void Counted(int result, cSelectionCount count);

private:
    struct cJob {
        std::atomic<bool> Stop = false;
        std::atomic<bool> Done = false;
        std::thread Thread;
    };
    void Finished(int generation, int result, cSelectionCount count);
    void JoinFinished();

    std::vector<std::unique_ptr<cJob>> m_jobs;
    int m_generation = 0;
    bool m_busy = false;
};

} // namespace ui
