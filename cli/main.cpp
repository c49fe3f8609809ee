#include "cli/cli.h"

#include <QCoreApplication>

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(cli::kProgramName);
    cli::Io io{std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1};
    return cli::Run(app.arguments().mid(1), io);
}
