#pragma once

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "support/failing_file_system.h"
#include "support/fake_launcher.h"
#include "support/fake_registry.h"
#include "support/scripted_dialogs.h"
#include "ui/main/frm_editor.h"

namespace velquor::test {

/// Two nations, in the file in the reverse of catalogue order.
inline const std::string kSpainItaly =
    "\r\n*Spain\r\nMadrid FC\r\nSevilla United\r\n\r\n*Italy\r\nTorino FC\r\n";

/// A shown main window over scripted dialogs and a file system that fails
/// on cue, with files of its own in a scratch folder.
class EditorTest : public ::testing::Test {
  protected:
    QTemporaryDir scratch;
    ScriptedDialogs dialogs;
    FakeRegistry registry;
    FakeLauncher launcher;
    platform::Platform platform{dialogs, registry, launcher};
    FailingFileSystem fs;
    std::unique_ptr<ui::frmEditor> window;

    void SetUp() override {
        ASSERT_TRUE(scratch.isValid());
        window = std::make_unique<ui::frmEditor>(platform, fs);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    /// Writes bytes to name (a path below the scratch folder) and returns its path.
    QString write(const QString& name, const std::string& bytes) {
        const QString path = scratch.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }
    /// The bundled sample, copied to folder/euro.cfg.
    QString sample(const QString& folder = QStringLiteral("game")) {
        QFile source(QStringLiteral(VELQUOR_SOURCE_DIR "/examples/euro.cfg"));
        EXPECT_TRUE(source.open(QIODevice::ReadOnly));
        return write(folder + QStringLiteral("/euro.cfg"), source.readAll().toStdString());
    }
    static std::string read(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return "<missing>";
        return file.readAll().toStdString();
    }

    QAction* tool(const char* name) const {
        return window->findChild<QAction*>(QString::fromLatin1(name));
    }
    void trigger(const char* name) { tool(name)->trigger(); }
    /// Opens path through the Open tool, as a user picking it in the dialog.
    void open(const QString& path) {
        dialogs.openPaths.push_back(path);
        trigger("tolAbrir");
    }
    void saveAs(const QString& path) {
        dialogs.savePaths.push_back(path);
        trigger("tolSaveAs");
    }

    QTreeWidget* tree() const {
        return window->findChild<QTreeWidget*>(QStringLiteral("Treeview1"));
    }
    QStringList nodeTexts() const {
        QStringList texts;
        for (int k = 0; k < tree()->topLevelItemCount(); ++k)
            texts << tree()->topLevelItem(k)->text(0);
        return texts;
    }
    QTreeWidgetItem* node(const QString& name) const {
        const auto found = tree()->findItems(name, Qt::MatchExactly);
        return found.size() == 1 ? found.first() : nullptr;
    }
    /// Clicks the node's row with the mouse, as a user does.
    void click(const QString& name) {
        QTreeWidgetItem* item = node(name);
        ASSERT_NE(item, nullptr) << name.toStdString();
        tree()->scrollToItem(item);
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {},
                          tree()->visualItemRect(item).center());
    }

    QLineEdit* box(const QString& name) const { return window->findChild<QLineEdit*>(name); }
    QLabel* label(const QString& name) const { return window->findChild<QLabel*>(name); }
    /// Types text at the end of the box, key by key.
    void type(const QString& name, const QString& text) {
        QLineEdit* target = box(name);
        target->setFocus();
        target->end(false);
        keys(target, text);
    }
    /// Key presses for text; letters beyond ASCII come as a keyboard layout sends them.
    static void keys(QWidget* target, const QString& text) {
        for (const QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClick(target, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
    }
    /// Empties the box as a user does: select all, delete.
    void erase(const QString& name) {
        QLineEdit* target = box(name);
        target->setFocus();
        target->selectAll();
        QTest::keyClick(target, Qt::Key_Delete);
    }

    /// Opens bytes as name, chooses nation and types text at the end of a box.
    QString openAndEdit(const QString& name, const std::string& bytes, const QString& nation,
                        const QString& boxName, const QString& text) {
        const QString path = write(name, bytes);
        open(path);
        click(nation);
        type(boxName, text);
        return path;
    }

    /// Every file below the scratch folder, by path relative to it.
    QStringList files() const {
        QStringList found;
        QDirIterator it(scratch.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            found << QDir(scratch.path()).relativeFilePath(it.next());
        found.sort();
        return found;
    }
    /// Exactly one message was shown: text, as an error box.
    void expectOnlyMessage(const QString& text) {
        ASSERT_EQ(dialogs.messages.size(), 1u) << dialogs.texts().back().toStdString();
        EXPECT_EQ(dialogs.messages[0].text, text);
        EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Error"));
        EXPECT_EQ(dialogs.messages[0].icon, platform::MessageIcon::Critical);
        EXPECT_EQ(dialogs.messages[0].buttons, platform::MessageButtons::Ok);
    }

    const ui::frmEditor::State& state() const { return window->state(); }
};

}  // namespace velquor::test
