#include "store/close_report.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <utility>

namespace {

constexpr char NoteName[] = "tarnwick-unsaved.txt";
constexpr qint64 LongestNote = 16 * 1024;

// "what: why" as "your what" and "why"; a failure without a reason keeps its whole text.
std::pair<QString, QString> split(const QString &failure)
{
    const qsizetype colon = failure.indexOf(QLatin1String(": "));
    if (colon < 0)
        return {failure, QStringLiteral("unknown error")};
    return {failure.left(colon), failure.mid(colon + 2)};
}

QString sentence(const QString &failure, const QString &when)
{
    const auto [what, why] = split(failure);
    QString text = QStringLiteral("Tarnwick could not save your %1%2: %3").arg(what, when, why);
    if (!text.endsWith(u'.'))
        text += u'.';
    return text;
}

} // namespace

CloseReport::CloseReport(QStringList folders)
{
    for (const QString &folder : folders) {
        if (!folder.isEmpty())
            paths_.append(QDir(folder).filePath(QString::fromLatin1(NoteName)));
    }
}

bool CloseReport::write(const QStringList &failures) const
{
    const QByteArray note = failures.join(u'\n').toUtf8() + '\n';
    for (const QString &path : paths_) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly) && file.write(note) == note.size() && file.commit())
            return true;
    }
    return false;
}

QStringList CloseReport::take() const
{
    QStringList failures;
    for (const QString &path : paths_) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString note = QString::fromUtf8(file.read(LongestNote));
        file.close();
        QFile::remove(path);
        for (const QString &line : note.split(u'\n', Qt::SkipEmptyParts)) {
            if (!failures.contains(line))
                failures.append(line);
        }
    }
    return failures;
}

QString CloseReport::atNextStart(const QString &failure)
{
    return sentence(failure, QStringLiteral(" when it last closed"));
}

QString CloseReport::whilePlaying(const QString &failure)
{
    return sentence(failure, QString());
}
