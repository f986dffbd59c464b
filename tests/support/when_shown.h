#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

namespace velquor::test {

/// Answers the next modal T once, as a user would; windows the answer opens
/// are left to their own watchers. One that never shows, or stays open after
/// the answer, fails the test and leaves nothing open.
template <typename T>
void whenShown(std::function<void(T*)> answer) {
    struct Watch {
        QPointer<QWidget> answered;
        bool hasAnswered = false;
        int ticks = 0;
    };
    auto* timer = new QTimer(qApp);  // one a test leaves running ends with the application
    auto watch = std::make_shared<Watch>();
    QObject::connect(timer, &QTimer::timeout, [timer, watch, answer] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool done = watch->hasAnswered && (!watch->answered || !watch->answered->isVisible());
        if (done || ++watch->ticks > 500) {
            if (!done) {
                ADD_FAILURE() << "no " << T::staticMetaObject.className() << " showed and closed";
                if (modal &&
                    !QMetaObject::invokeMethod(modal, "reject"))  // a box may ignore close()
                    modal->close();
            }
            timer->stop();
            timer->deleteLater();
            return;
        }
        auto* shown = qobject_cast<T*>(modal);
        if (!shown || watch->hasAnswered)
            return;
        watch->answered = shown;
        watch->hasAnswered = true;
        answer(shown);
    });
    timer->start(20);
}

}  // namespace velquor::test
