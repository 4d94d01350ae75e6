#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QCoreApplication;

// What the build tools that pack pictures into resource bundles are told.
struct RccToolPaths {
    QString rcc;  // Qt's rcc program
    QString work; // scratch folder
    QString out;  // data folder
};

// Reads "--rcc <rcc> --work <folder> --out <folder>"; prints "usage: <tool> ..." and gives
// nothing when one is missing.
std::optional<RccToolPaths> ReadRccToolPaths(const QCoreApplication &app, const char *tool);

// Runs rcc with arguments, writing to output: rcc writes next to it first and the result
// replaces output only when rcc succeeded, so a failed run leaves no half file.
bool RunRcc(const QString &rcc, const QStringList &arguments, const QString &output);
