// Draws the card-set packages that ship with Tarnwick and the built-in back picture:
//   sdeck.dll   the program's own cards at the small and large sizes
//   cdeck1.dll  the "Highland" set at all three sizes
//   Decks/books.jpg  the default picture back
// A package is a Qt binary resource bundle: pictures as PNG under "rcdata/<id>" (with a
// twice-as-dense copy under "rcdata/<id>@2x" for HiDPI screens) and strings as UTF-8 text
// under "string/<id>".
//
// Usage: make_card_sets --rcc <rcc program> --work <scratch folder> --out <data folder>

#include "look/art/card_art.h"
#include "look/art/jpeg_codec.h"
#include "tools/rcc_packing.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>
#include <functional>

namespace {

using Drawer = std::function<QImage(QSize card, qreal ratio)>;

struct Package {
    QString folder;
    QStringList entries; // qrc lines
    bool failed = false;

    void addPicture(int id, QSize card, const Drawer &draw)
    {
        for (int ratio = 1; ratio <= 2; ++ratio) {
            const QString name = QString::number(id) + (ratio == 2 ? QStringLiteral("@2x") : QString());
            const QString file = QStringLiteral("pictures/%1.png").arg(name);
            if (!draw(card, ratio).save(folder + QLatin1Char('/') + file, "PNG"))
                failed = true;
            entries << QStringLiteral("<file alias=\"rcdata/%1\">%2</file>").arg(name, file);
        }
    }

    void addString(int id, const QString &text)
    {
        const QString file = QStringLiteral("strings/%1.txt").arg(id);
        QFile out(folder + QLatin1Char('/') + file);
        if (!out.open(QIODevice::WriteOnly) || out.write(text.toUtf8()) < 0)
            failed = true;
        entries << QStringLiteral("<file alias=\"string/%1\">%2</file>").arg(id).arg(file);
    }
};

// Faces, joker, backs and marks of one size at the resource base of that size.
void addSize(Package &package, int base, QSize card, CardArt::Design design, const QList<int> &backs)
{
    for (int face = 1; face <= 52; ++face)
        package.addPicture(base + face, card, [=](QSize size, qreal ratio) {
            return CardArt::Face(design, (face - 1) / 13 + 1, (face - 1) % 13 + 1, size, ratio);
        });
    package.addPicture(base + 53, card, [=](QSize size, qreal ratio) { return CardArt::Joker(design, size, ratio); });
    for (int back : backs)
        package.addPicture(base + 53 + back, card,
                           [=](QSize size, qreal ratio) { return CardArt::Back(design, back, size, ratio); });
    for (int slot = 67; slot <= 90; ++slot) {
        if (slot == 70 || (slot >= 80 && slot <= 87))
            continue;
        package.addPicture(base + slot, card, [=](QSize size, qreal ratio) { return CardArt::Mark(slot, size, ratio); });
    }
}

bool writePackage(Package &package, const QString &rcc, const QString &target)
{
    QFile qrc(package.folder + QStringLiteral("/package.qrc"));
    if (package.failed || !qrc.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QTextStream out(&qrc);
    out << "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const QString &entry : package.entries)
        out << entry << '\n';
    out << "</qresource>\n</RCC>\n";
    out.flush();
    qrc.close();

    return RunRcc(rcc, {QStringLiteral("-binary"), QStringLiteral("--no-compress"), qrc.fileName()}, target);
}

Package startPackage(const QString &work, const QString &name)
{
    Package package;
    package.folder = work + QLatin1Char('/') + name;
    QDir(package.folder).removeRecursively();
    QDir().mkpath(package.folder + QStringLiteral("/pictures"));
    QDir().mkpath(package.folder + QStringLiteral("/strings"));
    return package;
}

// A shelf of books, our own picture for the default picture back.
QImage booksPicture()
{
    const QSize size(240, 320);
    QImage picture(size, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient wood(0, 0, size.width(), 0);
    wood.setColorAt(0, QColor(92, 56, 30));
    wood.setColorAt(1, QColor(120, 76, 42));
    painter.fillRect(picture.rect(), wood);

    quint32 seed = 20240601;
    auto next = [&seed](int range) {
        seed = seed * 134775813u + 1u;
        return static_cast<int>((quint64(seed) * quint64(range)) >> 32);
    };
    const QColor spines[] = {QColor(150, 30, 36), QColor(30, 70, 130), QColor(36, 110, 60), QColor(190, 150, 50),
                             QColor(90, 40, 100), QColor(40, 40, 44), QColor(170, 90, 40), QColor(200, 190, 170)};
    const int shelfHeight = size.height() / 4;
    for (int shelf = 0; shelf < 4; ++shelf) {
        const int floor = (shelf + 1) * shelfHeight - 8;
        int x = 8;
        while (x < size.width() - 14) {
            const int width = 10 + next(14);
            const int height = shelfHeight - 22 + next(14);
            const QRect spine(x, floor - height, qMin(width, size.width() - 8 - x), height);
            const QColor colour = spines[next(8)];
            QLinearGradient shade(spine.left(), 0, spine.right(), 0);
            shade.setColorAt(0, colour.darker(140));
            shade.setColorAt(0.4, colour.lighter(115));
            shade.setColorAt(1, colour.darker(160));
            painter.fillRect(spine, shade);
            painter.fillRect(QRect(spine.left(), spine.top() + 6, spine.width(), 2), QColor(225, 190, 90));
            painter.fillRect(QRect(spine.left(), spine.bottom() - 8, spine.width(), 2), QColor(225, 190, 90));
            x += spine.width() + 1;
        }
        painter.fillRect(QRect(0, floor, size.width(), 8), QColor(70, 40, 20));
        painter.fillRect(QRect(0, floor, size.width(), 2), QColor(140, 96, 60));
    }
    return picture;
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    return !data.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const std::optional<RccToolPaths> paths = ReadRccToolPaths(app, "make_card_sets");
    if (!paths)
        return 2;
    const QString &rcc = paths->rcc;
    const QString &work = paths->work;
    const QString &out = paths->out;
    QDir().mkpath(out + QStringLiteral("/Decks"));

    Package standard = startPackage(work, QStringLiteral("sdeck"));
    const QList<int> allBacks = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    addSize(standard, 11000, CardArt::NominalCardSize(0), CardArt::Design::Standard, allBacks);
    addSize(standard, 12000, CardArt::NominalCardSize(2), CardArt::Design::Standard, allBacks);
    standard.addString(6717, QStringLiteral("<Default>"));
    standard.addString(6718, QStringLiteral("Tarnwick's own cards"));
    standard.addString(6719, QStringLiteral("Drawn for Tarnwick in three sizes"));
    if (!writePackage(standard, rcc, out + QStringLiteral("/sdeck.dll"))) {
        std::fputs("make_card_sets: could not write sdeck.dll\n", stderr);
        return 1;
    }

    Package highland = startPackage(work, QStringLiteral("cdeck1"));
    // The set carries its own back 13 and two tartans; the other backs come from the program.
    const QList<int> highlandBacks = {1, 2, 13};
    addSize(highland, 11000, CardArt::NominalCardSize(0), CardArt::Design::Highland, highlandBacks);
    addSize(highland, 0, CardArt::NominalCardSize(1), CardArt::Design::Highland, highlandBacks);
    addSize(highland, 12000, CardArt::NominalCardSize(2), CardArt::Design::Highland, highlandBacks);
    highland.addString(6717, QStringLiteral("Highland"));
    highland.addString(6718, QStringLiteral("Serif indices on cream card stock"));
    highland.addString(6722, QStringLiteral("Tartan backs"));
    highland.addString(6719, QStringLiteral("Drawn for Tarnwick"));
    highland.addString(6721, QStringLiteral("24"));
    if (!writePackage(highland, rcc, out + QStringLiteral("/cdeck1.dll"))) {
        std::fputs("make_card_sets: could not write cdeck1.dll\n", stderr);
        return 1;
    }

    if (!writeFile(out + QStringLiteral("/Decks/books.jpg"), JpegCodec::Encode(booksPicture(), 96))) {
        std::fputs("make_card_sets: could not write Decks/books.jpg\n", stderr);
        return 1;
    }
    return 0;
}
