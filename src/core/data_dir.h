#pragma once
// The data directory: every file of the program lives directly in it.

#include <QString>

// The data directory below the common application-data folder of the platform, created with
// every missing parent (a failure to create it is not reported: the first file operation in it
// fails then). Windows: %PROGRAMDATA%\Sternhof\Wagenwart_test\ ; elsewhere the generic data
// folder (XDG_DATA_HOME) + /Sternhof/Wagenwart_test/. Always ends with a separator.
// A program that runs from a removable medium uses the folder beside it instead (portableDataDir).
QString locateDataDir();

// The data directory of a program that runs from a removable medium: "Daten" beside the program
// in `programDir`, when it holds "kfzdata.csv"; otherwise the empty text. Ends with a separator.
QString portableDataDir(const QString& programDir);

// The same below a given application-data folder (without a trailing separator; the empty text
// gives the directory at the root).
QString dataDirBelow(const QString& appDataFolder);
