#pragma once

#include <QStringList>

// Whether a command line asks for the usage: "--help" or "-h" among its
// arguments. The usage then goes to the standard output, with exit status 0.
inline bool IsHelpRequest(const QStringList& arguments)
{
    return arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"));
}
