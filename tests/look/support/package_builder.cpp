#include "look/support/package_builder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

QImage FlatPicture(QSize size, int number)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(QColor::fromHsv((number * 37) % 360, 120 + number % 100, 200));
    return picture;
}

QByteArray Png(const QImage &picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

void PackageBuilder::AddPicture(int id, const QImage &picture)
{
    Add(QStringLiteral("rcdata/%1").arg(id), Png(picture));
}

void PackageBuilder::AddString(int id, const QString &text)
{
    Add(QStringLiteral("string/%1").arg(id), text.toUtf8());
}

void PackageBuilder::AddSize(int base, QSize card, SizeContent content)
{
    for (int face = 1; face <= 52; ++face)
        AddPicture(base + face, FlatPicture(card, face));
    if (content.joker)
        AddPicture(base + 53, FlatPicture(card, 87));
    for (int back = 1; back <= 13; ++back)
        if ((back == 13 && content.setBack) || (back < 13 && content.otherBacks))
            AddPicture(base + 53 + back, FlatPicture(card, 100 + back));
    if (content.marks) {
        for (int slot = 67; slot <= 79; ++slot) {
            if (slot == 70)
                continue;
            QImage mark = FlatPicture(card, slot);
            if (slot == 69) {
                // The card outline: white, with black (transparent) corners.
                mark.fill(Qt::white);
                for (int y = 0; y < 3; ++y)
                    for (int x = 0; x < 3 - y; ++x)
                        for (QPoint corner : {QPoint(x, y), QPoint(card.width() - 1 - x, y),
                                              QPoint(x, card.height() - 1 - y),
                                              QPoint(card.width() - 1 - x, card.height() - 1 - y)})
                            mark.setPixel(corner, qRgb(0, 0, 0));
            }
            AddPicture(base + slot, mark);
        }
    }
}

bool PackageBuilder::Write(const QString &path) const
{
    QTemporaryDir work;
    if (!work.isValid())
        return false;
    QFile qrc(work.filePath(QStringLiteral("package.qrc")));
    if (!qrc.open(QIODevice::WriteOnly))
        return false;
    QTextStream out(&qrc);
    out << "<!DOCTYPE RCC><RCC version=\"1.0\"><qresource prefix=\"/\">\n";
    int index = 0;
    for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry, ++index) {
        const QString file = QStringLiteral("entry%1").arg(index);
        QFile data(work.filePath(file));
        if (!data.open(QIODevice::WriteOnly) || data.write(entry.value()) != entry.value().size())
            return false;
        out << "<file alias=\"" << entry.key() << "\">" << file << "</file>\n";
    }
    out << "</qresource></RCC>\n";
    out.flush();
    qrc.close();
    const QString rcc = QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + QStringLiteral("/rcc");
    QProcess process;
    process.start(rcc, {QStringLiteral("-binary"), QStringLiteral("--no-compress"), qrc.fileName(),
                        QStringLiteral("-o"), path});
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
