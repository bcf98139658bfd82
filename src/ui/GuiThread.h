// Calls from a run's worker thread into the GUI thread, where every window lives, and work on a worker while the
// windows stay alive.
#pragma once

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QThread>

#include <thread>
#include <type_traits>
#include <utility>

namespace ui {

inline bool OnGuiThread() {
    return QThread::currentThread() == QCoreApplication::instance()->thread();
}

// Runs f on the GUI thread and returns its result; the calling worker waits meanwhile. Called on the GUI
// thread itself, f runs at once. The GUI thread must never wait for the worker while it holds such a call.
template <class F> auto CallOnGuiThread(F&& f) -> std::invoke_result_t<F> {
    using Result = std::invoke_result_t<F>;
    if (OnGuiThread()) return std::forward<F>(f)();
    if constexpr (std::is_void_v<Result>) {
        QMetaObject::invokeMethod(QCoreApplication::instance(), std::forward<F>(f), Qt::BlockingQueuedConnection);
    } else {
        Result result{};
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [&] { result = f(); }, Qt::BlockingQueuedConnection);
        return result;
    }
}

// Hands f to the GUI thread and returns at once; f runs there in the order of the calls.
template <class F> void PostToGuiThread(F&& f) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::forward<F>(f), Qt::QueuedConnection);
}

// Runs work on a thread of its own while the GUI thread keeps its windows alive in a nested event loop; returns
// when work has ended and every notification it posted before its end has been handled.
template <class Work> void RunBeside(Work&& work) {
    QEventLoop loop;
    std::thread worker([&] {
        work();
        PostToGuiThread([&loop] { loop.quit(); });
    });
    loop.exec();
    worker.join();
}

} // namespace ui
