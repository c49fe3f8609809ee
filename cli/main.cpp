#include "cli/cli.h"
#include "i18n/translators.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <unistd.h>

int main(int argc, char** argv)
{
    // A closed pipe on standard output is an error to report, not a death
    // in the middle of a write to a device.
    std::signal(SIGPIPE, SIG_IGN);
    QStringList args;
    for (int k = 1; k < argc; ++k)
        args << QString::fromLocal8Bit(argv[k]);
    // A report lays out text, which needs fonts; nothing is shown, so no display is needed.
    const auto parsed = cli::ParseArguments(args);
    std::unique_ptr<QCoreApplication> app;
    if (parsed && parsed->command == "report" && !parsed->help) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    i18n::InstallTranslators(*app);
    QCoreApplication::setApplicationName(cli::kProgramName);
    cli::Io io{std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1};
    return cli::Run(QCoreApplication::arguments().mid(1), io);
}
