#include "look/table_background.h"

#include "look/picture_file.h"
#include "look/texture_library.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <deque>

namespace {

// Multiply and divide, rounded to the nearest integer with halves away from zero.
int roundedMultiplyDivide(int value, int numerator, int denominator)
{
    const qint64 product = qint64(value) * numerator;
    const qint64 half = denominator / 2;
    return int(product >= 0 ? (product + half) / denominator : -((-product + half) / denominator));
}

int smallestMultipleReaching(int step, int goal)
{
    return step >= goal ? step : (goal + step - 1) / step * step;
}

} // namespace

TableBackground::TableBackground(QString folder) : programFolder(std::move(folder)) {}

void TableBackground::SetScreen(QSize screenSize, int margin)
{
    screen = screenSize;
    gradientSize = screenSize + QSize(margin, margin);
}

std::vector<TableBackground::Band> TableBackground::GradientBands(QColor from, QColor to, int extent)
{
    const int count = std::max(1, std::min(MaxBands, extent));
    const int thickness = std::max(0, extent) / count;
    std::vector<Band> bands;
    bands.reserve(size_t(count) + 1);
    for (int i = 0; i < count; ++i) {
        auto channel = [&](int start, int end) {
            return count == 1 ? start : start + roundedMultiplyDivide(end - start, i, count - 1);
        };
        bands.push_back({i * thickness, thickness,
                         QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                                channel(from.blue(), to.blue()))});
    }
    if (const int rest = std::max(0, extent) - count * thickness; rest > 0)
        bands.push_back({count * thickness, rest, to});
    return bands;
}

QImage TableBackground::RepeatedTile(const QImage &picture)
{
    if (picture.isNull())
        return QImage();
    const QImage opaque = picture.convertToFormat(QImage::Format_RGB32);
    const QSize size(smallestMultipleReaching(opaque.width(), MinimumTile.width()),
                     smallestMultipleReaching(opaque.height(), MinimumTile.height()));
    if (size == opaque.size())
        return opaque;
    QImage repeated(size, QImage::Format_RGB32);
    QPainter painter(&repeated);
    painter.fillRect(repeated.rect(), QBrush(opaque));
    return repeated;
}

QStringList TableBackground::FolderFiles(const QString &folder, int maxDepth, int maxEntries)
{
    QStringList files;
    std::deque<std::pair<QString, int>> pending{{folder, 0}};
    int looked = 0;
    while (!pending.empty() && looked < maxEntries) {
        const auto [path, depth] = pending.front();
        pending.pop_front();
        const QFileInfoList entries =
            QDir(path).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
        for (const QFileInfo &entry : entries) {
            if (++looked > maxEntries)
                break;
            if (entry.isDir()) {
                if (!entry.isSymLink() && depth < maxDepth)
                    pending.emplace_back(entry.filePath(), depth + 1);
            } else if (entry.isFile()) {
                files << entry.filePath();
            }
        }
    }
    return files;
}

QImage TableBackground::loadPicture() const
{
    if (choice.Pattern_Type == 1)
        return PictureFile::Decode(TextureLibrary::TextureData(choice.Pattern_Name, programFolder));
    // Only plain files: a pipe or a device named in the settings would never end the read.
    if (choice.Pattern_Type == 2 && QFileInfo(choice.Pattern_File).isFile())
        return PictureFile::Read(choice.Pattern_File, (QSizeF(screen) * devicePixelRatio).toSize());
    return QImage();
}

void TableBackground::Apply(const BackgroundChoice &chosen)
{
    choice = chosen;
    tile = QImage();
    source = QImage();
    if (choice.Pattern_Type != 1 && choice.Pattern_Type != 2) {
        choice.Pattern_Type = 0;
        return;
    }
    const QImage picture = loadPicture();
    if (picture.isNull()) {
        choice.Pattern_Type = 0;
        return;
    }
    if (picture.width() >= LargePicture.width() && picture.height() >= LargePicture.height()) {
        source = picture.convertToFormat(QImage::Format_RGB32);
        const QSize area = client;
        client = QSize();
        Resize(area);
    } else {
        tile = RepeatedTile(picture);
    }
}

bool TableBackground::Resize(QSize area)
{
    if (area.isEmpty() || area == client)
        return false;
    client = area;
    if (choice.Pattern_Type == 0 || source.isNull())
        return false;
    tile = source.scaled((QSizeF(area) * devicePixelRatio).toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    tile.setDevicePixelRatio(devicePixelRatio);
    return true;
}

void TableBackground::Paint(QPainter &painter, const QRect &area, QPoint origin) const
{
    if (!tile.isNull()) {
        const QPointF brushOrigin = painter.brushOrigin();
        painter.setBrushOrigin(origin);
        painter.fillRect(area, QBrush(tile));
        painter.setBrushOrigin(brushOrigin);
    } else if (choice.Pattern_Type == 0 && choice.Fade) {
        paintGradient(painter, area, origin);
    } else {
        painter.fillRect(area, choice.Color);
    }
}

void TableBackground::paintGradient(QPainter &painter, const QRect &area, QPoint origin) const
{
    const bool vertical = choice.Direction == 0;
    const int extent = vertical ? gradientSize.height() : gradientSize.width();
    const QColor end(0, 0, 0);
    int reached = vertical ? origin.y() : origin.x();
    for (const Band &band : GradientBands(choice.Color, end, extent)) {
        const int start = (vertical ? origin.y() : origin.x()) + band.Start;
        const QRect strip = vertical ? QRect(area.left(), start, area.width(), band.Thickness)
                                     : QRect(start, area.top(), band.Thickness, area.height());
        if (const QRect part = strip & area; !part.isEmpty())
            painter.fillRect(part, band.Color);
        reached = start + band.Thickness;
    }
    // Beyond the gradient (a window larger than the screen) the end colour goes on.
    const QRect beyond = vertical ? QRect(area.left(), reached, area.width(), area.bottom() + 1 - reached)
                                  : QRect(reached, area.top(), area.right() + 1 - reached, area.height());
    if (const QRect part = beyond & area; !part.isEmpty())
        painter.fillRect(part, end);
}

QStringList TableBackground::RandomCandidates() const
{
    QStringList candidates = TextureLibrary::ProgramTextureNames();
    candidates << TextureLibrary::PackageTextureNames(programFolder);
    candidates << FolderFiles(QDir(programFolder).filePath(QStringLiteral("Backgrounds")), MaxFolderDepth,
                              MaxFolderEntries);
    return candidates;
}

bool TableBackground::ChooseRandom(const std::function<int(int)> &randomIndex)
{
    const QStringList candidates = RandomCandidates();
    if (candidates.isEmpty())
        return false;
    const QString &picked = candidates[std::clamp(randomIndex(int(candidates.size())), 0, int(candidates.size()) - 1)];
    BackgroundChoice next = choice;
    // A file is named by its path; a texture by a name without a folder.
    if (picked.contains(QLatin1Char('/'))) {
        next.Pattern_Type = 2;
        next.Pattern_File = picked;
        next.Pattern_Name.clear();
    } else {
        next.Pattern_Type = 1;
        next.Pattern_Name = picked;
        next.Pattern_File.clear();
    }
    Apply(next);
    return true;
}
