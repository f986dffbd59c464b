#pragma once

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <deque>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "platform/dialogs.h"

namespace velquor::test {

/// Dialogs that never block: message boxes are recorded and answered OK, and
/// each modal show runs the next scripted step on the real dialog, which has
/// to close it through its own widgets.
class ScriptedDialogs : public platform::Dialogs {
  public:
    using Step = std::function<void(QDialog&)>;

    std::vector<platform::MessageRequest> messages;
    std::deque<Step> script;
    int shown = 0;

    QString openFile(QWidget*, const platform::FileRequest&) override { return {}; }
    QString saveFile(QWidget*, const platform::FileRequest&) override { return {}; }

    platform::MessageAnswer message(QWidget*, const platform::MessageRequest& request) override {
        messages.push_back(request);
        return platform::MessageAnswer::Ok;
    }

    int exec(QDialog& dialog) override {
        ++shown;
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        if (script.empty()) {
            ADD_FAILURE() << "no scripted answer for " << dialog.objectName().toStdString();
        } else {
            Step step = std::move(script.front());
            script.pop_front();
            step(dialog);
        }
        if (dialog.isVisible()) {
            ADD_FAILURE() << dialog.objectName().toStdString() << " would still block";
            dialog.hide();
        }
        return dialog.result();
    }
};

}  // namespace velquor::test
