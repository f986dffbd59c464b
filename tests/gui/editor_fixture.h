#pragma once

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "model/liga.h"
#include "model/nation_catalogue.h"
#include "platform/platform.h"
#include "support/failing_file_system.h"
#include "support/fake_launcher.h"
#include "support/fake_registry.h"
#include "support/scratch_dir_test.h"
#include "support/scripted_dialogs.h"
#include "ui/main/frm_editor.h"

namespace velquor::test {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;
using Step = FailingFileSystem::Step;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

/// Two nations, in the file in the reverse of catalogue order.
inline const std::string kSpainItaly =
    "\r\n*Spain\r\nMadrid FC\r\nSevilla United\r\n\r\n*Italy\r\nTorino FC\r\n";
inline const std::string kPortugal = "\r\n*Portugal\r\nLisboa FC\r\n";
// Germany has 4 Champions League, 3 UEFA Cup and 2 Intertoto places (Bochum
// is beyond them), Andorra none, one and none.
inline const std::string kGermanyAndorra =
    "\r\n*Germany\r\nBerlin FC\r\nMunich 1900\r\nHamburg SV\r\nKoln United\r\nBremen FC\r\n"
    "Dortmund Athletic\r\nStuttgart Kickers\r\nLeipzig Rovers\r\nMainz 05\r\nBochum VfL\r\n"
    "\r\n*Andorra\r\nAndorra la Vella\r\n";

/// A shown main window over scripted dialogs and a file system that fails on cue.
class EditorTest : public ::testing::Test, public ScratchDir {
  protected:
    const QDir scratch{QString::fromStdString(dir_.string())};
    QTemporaryDir data;  // the user's data folder, where recovery records go
    ScriptedDialogs dialogs;
    FakeRegistry registry;
    FakeLauncher launcher;
    platform::Platform platform{dialogs, registry, launcher};
    FailingFileSystem fs;
    std::unique_ptr<ui::frmEditor> window;

    void SetUp() override {
        qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
        newWindow();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    /// A fresh window, for the next row of a table.
    void newWindow() {
        dialogs.messages.clear();
        window = std::make_unique<ui::frmEditor>(platform, fs);
        window->show();
    }

    /// Writes bytes to name below the scratch folder and returns its path.
    QString write(const QString& name, const std::string& bytes) const {
        return QString::fromStdString(ScratchDir::write(name.toStdString(), bytes).string());
    }
    static std::string read(const QString& path) { return ScratchDir::read(path.toStdString()); }
    QString sample() const { return write("game/euro.cfg", ScratchDir::read(kSample)); }

    QAction* tool(const char* name) const { return window->findChild<QAction*>(name); }
    void trigger(const char* name) { tool(name)->trigger(); }
    void open(const QString& path) {
        dialogs.openPaths.push_back(path);
        trigger("tolAbrir");
    }
    void saveAs(const QString& path) {
        dialogs.savePaths.push_back(path);
        trigger("tolSaveAs");
    }
    /// Drags paths over the window and drops them; whether the window took them.
    bool drop(const QStringList& paths) {
        QMimeData data;
        for (const QString& path : paths)
            data.setUrls(data.urls() << QUrl::fromLocalFile(path));
        const QPoint at = window->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        return QApplication::sendEvent(window.get(), &enter) && enter.isAccepted() &&
               QApplication::sendEvent(window.get(), &dropped) && dropped.isAccepted();
    }

    /// The user comes back to Velquor from another program.
    static void comeBack() { emit qApp->applicationStateChanged(Qt::ApplicationActive); }
    /// The recovery records in the user's data folder.
    static QStringList records() {
        const QString folder =
            QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
        return QDir(folder).entryList({"*.record"}, QDir::Files);
    }

    QTreeWidget* tree() const { return window->findChild<QTreeWidget*>("Treeview1"); }
    QStringList nodeTexts() const {
        QStringList texts;
        for (const auto* node : tree()->findItems("*", Qt::MatchWildcard))
            texts << node->text(0);
        return texts;
    }
    void click(const QString& name) {
        const auto found = tree()->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        tree()->scrollToItem(found.first());
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {},
                          tree()->visualItemRect(found.first()).center());
    }

    QLineEdit* box(const QString& name) const { return window->findChild<QLineEdit*>(name); }
    QLabel* label(const QString& name) const { return window->findChild<QLabel*>(name); }
    QString shown() const { return label("lblLiga")->text(); }
    void type(const QString& name, const QString& text) {
        box(name)->setFocus();
        box(name)->end(false);
        keys(box(name), text);
    }
    /// Key presses for text; letters beyond ASCII and emoji come as a keyboard sends them.
    static void keys(QWidget* target, const QString& text) {
        for (const char32_t c : text.toUcs4())
            QTest::sendKeyEvent(
                QTest::Click, target,
                c < 0x80 ? QTest::asciiToKey(static_cast<char>(c)) : Qt::Key_unknown,
                QString::fromUcs4(&c, 1), Qt::NoModifier);
    }
    void erase(const QString& name) {
        box(name)->setFocus();
        box(name)->selectAll();
        QTest::keyClick(box(name), Qt::Key_Delete);
    }
    QString openAndEdit(const QString& name, const std::string& bytes, const QString& nation,
                        const QString& boxName, const QString& text) {
        const QString path = write(name, bytes);
        open(path);
        click(nation);
        type(boxName, text);
        return path;
    }

    void expectOnlyMessage(const QString& text) {
        ASSERT_THAT(dialogs.messages, ElementsAre(IsMessage(text, "Error", MessageIcon::Critical)));
    }
    Liga& record(const char* name) const { return *findNation(*window->catalogue(), name); }
    const ui::frmEditor::State& state() const { return window->state(); }
};

}  // namespace velquor::test
