#pragma once

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <deque>
#include <functional>
#include <vector>

#include <gmock/gmock.h>

#include "platform/dialogs.h"

/// A QString in a failure's message, as its text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace velquor::test {

/// A message box request by what its box shows; a failure names the part that differs.
inline auto IsMessage(const QString& text, const QString& title, platform::MessageIcon icon,
                      platform::MessageButtons buttons = platform::MessageButtons::Ok) {
    using M = platform::MessageRequest;
    using ::testing::Field;
    return ::testing::AllOf(Field("text", &M::text, text), Field("title", &M::title, title),
                            Field("icon", &M::icon, icon), Field("buttons", &M::buttons, buttons));
}

/// The name of what holds the focus, for a failure to tell.
inline QString focused() {
    const QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : "<nothing>";
}

/// Dialogs that never block. File dialogs hand out the next scripted path (an
/// empty one, or none left, is a cancel); message boxes are recorded and get
/// the next scripted answer (OK when none is left); each modal show runs the
/// next scripted step on the real dialog, which has to close it through its
/// own widgets.
class ScriptedDialogs : public platform::Dialogs {
  public:
    using Step = std::function<void(QDialog&)>;

    std::vector<platform::MessageRequest> messages;
    std::deque<platform::MessageAnswer> answers;
    std::vector<platform::FileRequest> fileRequests;
    std::deque<QString> openPaths;
    std::deque<QString> savePaths;
    std::deque<Step> script;
    int shown = 0;

    QString openFile(QWidget*, const platform::FileRequest& request) override {
        return nextPath(openPaths, request);
    }
    QString saveFile(QWidget*, const platform::FileRequest& request) override {
        return nextPath(savePaths, request);
    }

    platform::MessageAnswer message(QWidget*, const platform::MessageRequest& request) override {
        messages.push_back(request);
        return answers.empty() ? platform::MessageAnswer::Ok : next(answers);
    }

    /// The texts of every message box shown so far.
    std::vector<QString> texts() const {
        std::vector<QString> result;
        for (const auto& request : messages)
            result.push_back(request.text);
        return result;
    }

    int exec(QDialog& dialog) override {
        ++shown;
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        if (script.empty())
            ADD_FAILURE() << "no scripted answer for " << dialog.objectName().toStdString();
        else
            next(script)(dialog);
        if (dialog.isVisible()) {
            ADD_FAILURE() << dialog.objectName().toStdString() << " would still block";
            dialog.hide();
        }
        return dialog.result();
    }

  private:
    template <typename T>
    static T next(std::deque<T>& queue) {
        T first = std::move(queue.front());
        queue.pop_front();
        return first;
    }
    QString nextPath(std::deque<QString>& paths, const platform::FileRequest& request) {
        fileRequests.push_back(request);
        return paths.empty() ? QString() : next(paths);
    }
};

}  // namespace velquor::test
