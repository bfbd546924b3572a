// Tessara: a small editor for writing HTML pages by hand.
#include "core/CommandLine.h"
#include "core/TesselFrm.h"
#include "core/ValueDesc.h"
#include "ui/Browser.h"
#include "ui/Fonts.h"
#include "ui/MessageBoxes.h"
#include "ui/Platform.h"
#include "ui/ProgramEnd.h"
#include "ui/QtInputBoxes.h"
#include "ui/QtMessageBoxes.h"

#include <QApplication>
#include <QDir>
#include <QProcess>

#include <csignal>
#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char **argv)
{
    // A file-size limit (ulimit -f) must make a write fail with EFBIG, which
    // the save reports, instead of ending the program with the edits in it.
    std::signal(SIGXFSZ, SIG_IGN);

    QCoreApplication::setApplicationName(u"Tessara"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(TESSARA_VERSION));
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const commandline::Parsed command = commandline::parse(args, QDir::currentPath());
    if (command.action != commandline::Parsed::Action::Run) {
        // Help, version and mistakes are answered without a window.
        std::FILE *out = command.exitStatus() == 0 ? stdout : stderr;
        std::fputs(command.output.toLocal8Bit().constData(), out);
        return command.exitStatus();
    }

    QApplication app(argc, argv);
    // Desktops match the windows to the installed launcher and its icon by this name.
    QGuiApplication::setDesktopFileName(u"org.tessara.Tessara"_s);
    // Every window and message box speaks Japanese: set its font before any
    // widget lays out text in another one.
    QApplication::setFont(fonts::japaneseGothic(9));
    QtMessageBoxes boxes;
    QtProgramEnd end;
    DesktopBrowser browser;
    QtInputBoxes inputs;
    Platform platform{QDir::currentPath(), &boxes, &end, &browser, {}, &inputs};
    if (command.desktop) {
        // HOME itself: Qt would answer "/" for a home folder that is not set.
        const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
        const QString home = qEnvironmentVariable("HOME");
        const QString problem = commandline::makeDesktopDataDir(xdg, home);
        if (!problem.isEmpty()) {
            boxes.ask(MsgBox::warning(problem, u"エラー"_s));
            return 1;
        }
        const QString data = commandline::desktopDataDir(xdg, home);
        platform.browseDir = platform.startDir;
        platform.startDir = data;
    }
    ValueDesc values;
    TesselFrm frm(platform, values);
    frm.Form_Load();
    frm.show();
    // Each further file opens in a copy of its own, started once this copy
    // has taken its place in the cascade; that copy starts the next one.
    if (command.files.size() > 1)
        QProcess::startDetached(QCoreApplication::applicationFilePath(),
                                commandline::argumentsForNextCopy(command), QDir::currentPath());
    if (!command.files.isEmpty())
        frm.openFromCommandLine(command.files.first());
    return app.exec();
}
