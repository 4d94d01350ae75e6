#include "store_fixtures.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <sys/resource.h>

FixedDisplayInfo testDisplay(int depth, QSize screen)
{
    return FixedDisplayInfo(depth, screen, QRect(0, 0, screen.width(), screen.height() - 40));
}

TempFolders::TempFolders()
{
    for (const char *name : {"config", "data", "program", "documents", "desktop"})
        QDir(root_.path()).mkpath(QString::fromLatin1(name));
    locations_.configFolder = path(QStringLiteral("config/Tarnwick"));
    locations_.dataFolder = path(QStringLiteral("data/Tarnwick"));
    locations_.programFolder = path(QStringLiteral("program"));
    locations_.documentsFolder = path(QStringLiteral("documents"));
    locations_.desktopFolder = path(QStringLiteral("desktop"));
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

FileSizeLimit::FileSizeLimit(long maxBytes)
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    previousSoft_ = limit.rlim_cur;
    previousHard_ = limit.rlim_max;
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = rlim_t(maxBytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{rlim_t(previousSoft_), rlim_t(previousHard_)};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previousHandler_);
}
