#include <QApplication>
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <cstdio>

#include "platform/app_info.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/platform.h"
#include "platform/registry.h"
#include "ui/main/frm_editor.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velquor"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(velquor::app::kVersionMajor)
                                            .arg(velquor::app::kVersionMinor)
                                            .arg(velquor::app::kVersionRevision));
    QGuiApplication::setDesktopFileName(QStringLiteral("velquor"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Edits the European places file euro.cfg."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The file to open."),
                                 QStringLiteral("[file]"));
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::fputs("velquor: one file at most (see velquor --help)\n", stderr);
        return 2;
    }

    velquor::platform::QtDialogs dialogs;
    velquor::platform::Platform platform{dialogs, velquor::platform::Registry::system(),
                                         velquor::platform::Launcher::system()};
    // The football is the main window's own: dialogs opened over the window
    // take it from there, and the About box, which has none, stays without.
    velquor::ui::frmEditor editor(platform);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        editor.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, editor.size(),
                                               screen->availableGeometry()));
    editor.show();
    // Once the loop runs: a failed load closes the window, which must end the program.
    if (!files.isEmpty())
        QMetaObject::invokeMethod(
            &editor, [&editor, &files] { editor.openFile(files.first()); }, Qt::QueuedConnection);
    return QApplication::exec();
}
