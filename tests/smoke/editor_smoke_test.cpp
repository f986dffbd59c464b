// The editor with the real dialogs, registry and program start of its system:
// the same test on Linux and (under Wine) Windows, saving the same bytes.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "support/scratch_dir_test.h"
#include "support/when_shown.h"
#include "ui/about/sys_info.h"
#include "ui/main/frm_editor.h"

#ifdef _WIN32
#include "../windows/registry_writer.h"
#endif

namespace {

using velquor::test::whenShown;
using velquor::ui::frmEditor;
namespace texts = velquor::ui::texts;

class EditorSmoke : public ::testing::Test, public velquor::test::ScratchDir {
  protected:
    const QDir scratch{QString::fromStdString(dir_.string())};
    velquor::platform::QtDialogs dialogs;
    velquor::platform::Platform platform{dialogs, velquor::platform::Registry::system(),
                                         velquor::platform::Launcher::system()};
    frmEditor window{platform};

    void SetUp() override {
        // Qt's own file dialog, which a test can answer; a system one cannot.
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, 30000));  // Wine on a busy machine
    }
    // The whole path typed into the file dialog's name box, then Enter.
    static void typePathWhenAsked(const QString& path) {
        whenShown<QFileDialog>([path](QFileDialog* dialog) {
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QTest::keyClicks(name, QDir::toNativeSeparators(path));
            QTest::keyClick(name, Qt::Key_Return);
        });
    }
    void trigger(const char* tool) {
        window.findChild<QAction*>(QString::fromLatin1(tool))->trigger();
    }
    QLineEdit* box(const char* name) {
        return window.findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    void replaceText(const char* name, const QString& text) {
        QLineEdit* target = box(name);
        target->setFocus();
        target->selectAll();
        QTest::keyClick(target, Qt::Key_Delete);
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
};

TEST_F(EditorSmoke, OpenEditSaveAndTheQuestionsThatKeepEditsThroughTheRealWindow) {
    EXPECT_EQ(window.windowTitle(), texts::kCaption);
    const QString path = scratch.filePath(QStringLiteral("euro.cfg"));
    write("euro.cfg", read(velquor::test::kSample));

    typePathWhenAsked(path);
    trigger("tolAbrir");
    auto* tree = window.findChild<QTreeWidget*>(QStringLiteral("Treeview1"));
    const auto spain = tree->findItems(QStringLiteral("Spain"), Qt::MatchExactly);
    ASSERT_EQ(spain.size(), 1);
    EXPECT_GT(tree->topLevelItemCount(), 40);

    tree->scrollToItem(spain[0]);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->visualItemRect(spain[0]).center());
    ASSERT_TRUE(box("txtUCL_0")->isEnabled());
    // Letters beyond ASCII go through the system's code page on the way out.
    replaceText("txtUCL_0", QStringLiteral("Caf\u00e9 \u00d1and\u00fa"));
    trigger("tolGuardar");
    const std::string saved = read(VELQUOR_SOURCE_DIR "/tests/smoke/saved.cfg");
    EXPECT_EQ(read(path.toStdString()), saved);
    const QString copy = scratch.filePath(QStringLiteral("copy.cfg"));
    typePathWhenAsked(copy);
    trigger("tolSaveAs");
    EXPECT_EQ(read(copy.toStdString()), saved);

    // After one more edit, closing asks; Cancel keeps the window and the edit.
    replaceText("txtUEFA_0", QStringLiteral("Unsaved"));
    QString asked;
    whenShown<QMessageBox>([&](QMessageBox* question) {
        asked = question->text();
        QTest::mouseClick(question->button(QMessageBox::Cancel), Qt::LeftButton);
    });
    window.close();
    EXPECT_EQ(asked, texts::kModifiedQuestion);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(box("txtUEFA_0")->text(), QStringLiteral("Unsaved"));

    // Another program's change to the file saved as is not overwritten unasked.
    const std::string theirs = "\r\n*Spain\r\nTheirs FC\r\n";
    write("copy.cfg", theirs);
    whenShown<QMessageBox>([&](QMessageBox* question) {
        asked = question->text();
        QTest::mouseClick(question->button(QMessageBox::Cancel), Qt::LeftButton);
    });
    trigger("tolGuardar");
    EXPECT_EQ(asked, texts::kChangedOnDisk.arg(QDir::toNativeSeparators(copy)));

    whenShown<QMessageBox>([](QMessageBox* question) {
        QTest::mouseClick(question->button(QMessageBox::No), Qt::LeftButton);
    });
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(read(path.toStdString()), saved);
    EXPECT_EQ(read(copy.toStdString()), theirs);
}

#ifdef _WIN32
// System info from the About box, on the real registry and ShellExecuteA: a
// stand-in program leaves a marker when it starts; without one the user is told.
TEST_F(EditorSmoke, SystemInfoStartsWhatTheRegistryNamesOrSaysItCannot) {
    ASSERT_TRUE(velquor::test::underWine()) << "rewrites HKEY_LOCAL_MACHINE: Wine only";
    const std::string msinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    const std::string tools = "SOFTWARE\\Microsoft\\Shared Tools Location";
    const QString folder = QDir::toNativeSeparators(scratch.path());
    const struct {
        const char* why;
        const std::string* key;  // null: neither entry
        const char* name;
        QString value;
        const char* program;  // the stand-in's name in the folder; null: none
    } rows[] = {
        {"the program the first entry names", &msinfo, "PATH", folder + "\\sysinfo.exe",
         "sysinfo.exe"},
        {"MSINFO32.EXE in the folder the second names", &tools, "MSINFO", folder, "MSINFO32.EXE"},
        {"neither entry", nullptr, "", {}, nullptr},
        {"a folder without MSINFO32.EXE", &tools, "MSINFO", folder + "\\none", nullptr},
        {"a first entry naming no file", &msinfo, "PATH", folder + "\\gone.exe", nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        for (const std::string* key : {&msinfo, &tools})
            velquor::test::deleteKey(HKEY_LOCAL_MACHINE, *key);
        if (row.key) {
            ASSERT_TRUE(velquor::test::setValue(HKEY_LOCAL_MACHINE, *row.key, row.name, REG_SZ,
                                                row.value.toStdString()));
        }
        if (row.program) {
            ASSERT_TRUE(QFile::copy(QStringLiteral(VELQUOR_MARKER), scratch.filePath(row.program)));
        }
        const QString marker = scratch.filePath(QStringLiteral("%1.ran").arg(row.program));
        QString told;
        whenShown<QDialog>([&](QDialog* about) {
            if (!row.program)
                whenShown<QMessageBox>([&](QMessageBox* box) {
                    told = box->text();
                    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
                });
            QTest::mouseClick(about->findChild<QAbstractButton*>(QStringLiteral("cmdSysInfo")),
                              Qt::LeftButton);
            about->close();
        });
        trigger("tolAbout");
        if (row.program)
            EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(marker); }, 20000));
        else
            EXPECT_EQ(told, QString::fromLatin1(velquor::ui::kSysInfoUnavailable));
    }
}
#endif

}  // namespace
