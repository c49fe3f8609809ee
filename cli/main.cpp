#include "cli/cli.h"
#include "i18n/translators.h"

#include <QCoreApplication>

#include <csignal>
#include <iostream>
#include <unistd.h>

int main(int argc, char** argv)
{
    // A closed pipe on standard output is an error to report, not a death
    // in the middle of a write to a device.
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication app(argc, argv);
    i18n::InstallTranslators(app);
    QCoreApplication::setApplicationName(cli::kProgramName);
    cli::Io io{std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1};
    return cli::Run(app.arguments().mid(1), io);
}
