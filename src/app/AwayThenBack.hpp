#pragma once

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <functional>

namespace tilvaren {

// Runs `work` on the thread pool and hands its result to `done` back on the
// window's thread; a window closed meanwhile is handed nothing.
template <typename Result>
void AwayThenBack(QObject* window, std::function<Result()> work, std::function<void(const Result&)> done) {
    QThreadPool::globalInstance()->start([guard = QPointer<QObject>(window), work = std::move(work),
                                          done = std::move(done)] {
        Result result = work();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [guard, done, result = std::move(result)] {
                if (guard) done(result);
            },
            Qt::QueuedConnection);
    });
}

}  // namespace tilvaren
