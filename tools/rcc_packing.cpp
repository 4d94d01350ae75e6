#include "tools/rcc_packing.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>

#include <cstdio>

std::optional<RccToolPaths> ReadRccToolPaths(const QCoreApplication &app, const char *tool)
{
    QCommandLineParser parser;
    const QCommandLineOption rccOption(QStringLiteral("rcc"), QStringLiteral("The rcc program."), QStringLiteral("path"));
    const QCommandLineOption workOption(QStringLiteral("work"), QStringLiteral("Scratch folder."), QStringLiteral("path"));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("Data folder."), QStringLiteral("path"));
    parser.addOptions({rccOption, workOption, outOption});
    parser.process(app);
    RccToolPaths paths{parser.value(rccOption), parser.value(workOption), parser.value(outOption)};
    if (paths.rcc.isEmpty() || paths.work.isEmpty() || paths.out.isEmpty()) {
        std::fprintf(stderr, "usage: %s --rcc <rcc> --work <folder> --out <folder>\n", tool);
        return std::nullopt;
    }
    return paths;
}

bool RunRcc(const QString &rcc, const QStringList &arguments, const QString &output)
{
    const QString partial = output + QStringLiteral(".part");
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(rcc, QStringList(arguments) << QStringLiteral("-o") << partial);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return false;
    QFile::remove(output);
    return QFile::rename(partial, output);
}
