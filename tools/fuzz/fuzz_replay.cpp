// Replays seed corpora through the fuzz targets without libFuzzer (a test of the normal
// build). With no arguments: every target's corpus, and every corpus folder must belong to a
// target. With arguments: TARGET FILE..., to look at one input again.
#include "tools/fuzz/fuzz_targets.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

bool replay(const FuzzTarget &target, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: cannot read %s\n", target.name, qPrintable(path));
        return false;
    }
    if (runBetweenGuardPages(target, file.readAll()))
        return true;
    std::fprintf(stderr, "%s: property fails for %s\n", target.name, qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    int failures = 0;
    if (!arguments.isEmpty()) {
        const FuzzTarget *target = findFuzzTarget(arguments[0].toStdString());
        if (!target) {
            std::fprintf(stderr, "no fuzz target %s\n", qPrintable(arguments[0]));
            return 2;
        }
        for (const QString &path : arguments.mid(1))
            failures += replay(*target, path) ? 0 : 1;
        return failures == 0 ? 0 : 1;
    }
    const QDir corpus(QStringLiteral(TARNWICK_FUZZ_CORPUS));
    for (const QString &folder : corpus.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!findFuzzTarget(folder.toStdString())) {
            std::fprintf(stderr, "corpus folder %s belongs to no target\n", qPrintable(folder));
            ++failures;
        }
    }
    for (const FuzzTarget &target : fuzzTargets()) {
        const QDir seeds(corpus.filePath(QString::fromLatin1(target.name)));
        const QStringList files = seeds.entryList(QDir::Files, QDir::Name);
        if (files.isEmpty()) {
            std::fprintf(stderr, "%s: no seeds in %s\n", target.name, qPrintable(seeds.path()));
            ++failures;
        }
        for (const QString &file : files)
            failures += replay(target, seeds.filePath(file)) ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}
