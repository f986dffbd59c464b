// Pictures of the main window and its dialogs, e.g. at several scale factors:
//   QT_SCALE_FACTOR=2 velquor_screenshots DIR
// writes DIR/{empty,germany,find,about}-x2.png from the bundled sample.

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <cstdio>

#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/platform.h"
#include "platform/registry.h"
#include "ui/main/frm_editor.h"

namespace {

// Opens the sample, and photographs every dialog before closing it with Esc.
class CameraDialogs : public velquor::platform::Dialogs {
  public:
    QString folder, scale, sample;
    bool failed = false;

    bool shoot(QWidget& widget, const QString& name) {
        const bool saved =
            widget.grab().save(folder + QStringLiteral("/%1-x%2.png").arg(name, scale));
        if (!saved)
            std::fprintf(stderr, "velquor_screenshots: cannot write %s in %s\n", qPrintable(name),
                         qPrintable(folder));
        failed = failed || !saved;
        return saved;
    }
    QString openFile(QWidget*, const velquor::platform::FileRequest&) override { return sample; }
    QString saveFile(QWidget*, const velquor::platform::FileRequest&) override { return {}; }
    velquor::platform::MessageAnswer message(QWidget*,
                                             const velquor::platform::MessageRequest&) override {
        return velquor::platform::MessageAnswer::Cancel;
    }
    int exec(QDialog& dialog) override {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        (void)QTest::qWaitForWindowExposed(&dialog);
        shoot(dialog, dialog.objectName() == QStringLiteral("frmAbout") ? QStringLiteral("about")
                                                                        : QStringLiteral("find"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        dialog.hide();
        return dialog.result();
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: velquor_screenshots DIR\n");
        return 2;
    }
    CameraDialogs dialogs;
    dialogs.folder = QString::fromLocal8Bit(argv[1]);
    dialogs.scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"));
    QDir().mkpath(dialogs.folder);
    // Opening makes a backup beside the file: open a copy, not the bundled sample.
    QTemporaryDir scratch;
    dialogs.sample = scratch.filePath(QStringLiteral("euro.cfg"));
    if (!scratch.isValid() ||
        !QFile::copy(QStringLiteral(VELQUOR_SOURCE_DIR "/examples/euro.cfg"), dialogs.sample)) {
        std::fprintf(stderr, "velquor_screenshots: cannot copy the sample\n");
        return 1;
    }

    velquor::platform::Platform platform{dialogs, velquor::platform::Registry::system(),
                                         velquor::platform::Launcher::system()};
    velquor::ui::frmEditor window(platform);
    window.show();
    QApplication::setActiveWindow(&window);
    (void)QTest::qWaitForWindowExposed(&window);
    dialogs.shoot(window, QStringLiteral("empty"));

    const auto trigger = [&](const char* name) {
        window.findChild<QAction*>(QString::fromLatin1(name))->trigger();
    };
    trigger("tolAbrir");
    auto* tree = window.findChild<QTreeWidget*>(QStringLiteral("Treeview1"));
    const auto found = tree->findItems(QStringLiteral("Germany"), Qt::MatchExactly);
    if (found.isEmpty()) {
        std::fprintf(stderr, "velquor_screenshots: the sample holds no Germany\n");
        return 1;
    }
    tree->scrollToItem(found.first());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->visualItemRect(found.first()).center());
    // A star typed at each end of a box shows both refusal and caret.
    auto* box = window.findChild<QLineEdit*>(QStringLiteral("txtUCL_0"));
    box->setFocus();
    box->end(false);
    QTest::keyClick(box, '*');
    box->home(false);
    QTest::keyClick(box, '*');
    dialogs.shoot(window, QStringLiteral("germany"));

    trigger("tolFind");
    trigger("tolAbout");
    return dialogs.failed ? 1 : 0;
}
