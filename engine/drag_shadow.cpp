#include "engine/drag_shadow.h"

#include "engine/card_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

constexpr int Margin = 2;
constexpr int ShapeDarkness = 255 - 90;

// The Gaussian kernel of sigma 1, cut where both tails together hold under 1/510 of the weight.
std::vector<double> blurKernel()
{
    std::vector<double> weights;
    double total = 0;
    for (int i = -100; i <= 100; ++i) {
        const double w = std::exp(-(i * i) / 2.0);
        weights.push_back(w);
        total += w;
    }
    for (double &w : weights)
        w /= total;
    int radius = 100;
    double tails = 0;
    while (radius > 0) {
        const double next = tails + weights[std::size_t(100 - radius)] + weights[std::size_t(100 + radius)];
        if (next >= 1.0 / 510)
            break;
        tails = next;
        --radius;
    }
    std::vector<double> kernel(weights.begin() + (100 - radius), weights.begin() + (100 + radius + 1));
    double sum = 0;
    for (double w : kernel)
        sum += w;
    for (double &w : kernel)
        w /= sum;
    return kernel;
}

QImage blurred(const QImage &source)
{
    static const std::vector<double> kernel = blurKernel();
    const int radius = int(kernel.size() / 2);
    const int w = source.width(), h = source.height();
    std::vector<double> pass(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y) {
        const uchar *line = source.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            double sum = 0;
            for (int k = -radius; k <= radius; ++k)
                sum += kernel[std::size_t(k + radius)] * line[std::clamp(x + k, 0, w - 1)];
            pass[std::size_t(y) * std::size_t(w) + std::size_t(x)] = sum;
        }
    }
    QImage result(w, h, QImage::Format_Grayscale8);
    for (int y = 0; y < h; ++y) {
        uchar *line = result.scanLine(y);
        for (int x = 0; x < w; ++x) {
            double sum = 0;
            for (int k = -radius; k <= radius; ++k)
                sum += kernel[std::size_t(k + radius)] * pass[std::size_t(std::clamp(y + k, 0, h - 1)) * std::size_t(w) + std::size_t(x)];
            line[x] = uchar(std::lround(std::clamp(sum, 0.0, 255.0)));
        }
    }
    return result;
}

} // namespace

QImage CardShadowTable(QSize cardSize, bool blur)
{
    QImage table(cardSize.width() + 2 * Margin, cardSize.height() + 2 * Margin, QImage::Format_Grayscale8);
    table.fill(0);
    QPainter painter(&table);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal radius = std::max(3.0, cardSize.width() / 14.0);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(Margin, Margin, cardSize.width(), cardSize.height()), radius, radius);
    painter.fillPath(shape, QColor(ShapeDarkness, ShapeDarkness, ShapeDarkness));
    painter.end();
    return blur ? blurred(table) : table;
}

void DragShadow::Build(int style, const std::vector<QPoint> &cardOffsets, QSize cardSize, bool verticalGroup)
{
    const int offset = style == 2 ? 5 : 4;
    const int margin = style == 2 ? 0 : Margin;
    QRect extent;
    for (const QPoint &at : cardOffsets)
        extent |= QRect(at, cardSize);
    Origin = extent.topLeft() + QPoint(offset - margin, offset - margin);
    Darkness = QImage(extent.width() + 2 * margin, extent.height() + 2 * margin, QImage::Format_Grayscale8);
    Darkness.fill(0);

    const QImage card = CardShadowTable(cardSize, style == 0);
    QImage follower = card;
    if (cardOffsets.size() > 1 && style != 2) {
        // A following card's shadow is solid in the half towards the card before it.
        for (int y = 0; y < follower.height(); ++y) {
            uchar *line = follower.scanLine(y);
            for (int x = 0; x < follower.width(); ++x) {
                const bool solidHalf = verticalGroup ? y < follower.height() / 2 : x < follower.width() / 2;
                const bool insideShape = verticalGroup ? (x >= Margin && x < follower.width() - Margin)
                                                       : (y >= Margin && y < follower.height() - Margin);
                if (solidHalf && insideShape)
                    line[x] = uchar(std::max<int>(line[x], ShapeDarkness));
            }
        }
    }
    for (std::size_t i = 0; i < cardOffsets.size(); ++i) {
        const QImage &source = i == 0 ? card : follower;
        const QPoint at = cardOffsets[i] - extent.topLeft() + QPoint(margin - Margin, margin - Margin);
        for (int y = 0; y < source.height(); ++y) {
            const int ty = at.y() + y;
            if (ty < 0 || ty >= Darkness.height())
                continue;
            const uchar *from = source.constScanLine(y);
            uchar *to = Darkness.scanLine(ty);
            for (int x = 0; x < source.width(); ++x) {
                const int tx = at.x() + x;
                if (tx < 0 || tx >= Darkness.width())
                    continue;
                uchar value = from[x];
                if (style == 2)
                    value = ((tx + ty) & 1) == 0 && value > 0 ? 255 : 0;
                to[tx] = std::max(to[tx], value);
            }
        }
    }
}

void DragShadow::Apply(QImage &target, QPoint groupAt) const
{
    if (Darkness.isNull())
        return;
    const QPoint at = groupAt + Origin;
    const QRect area = QRect(at, Darkness.size()).intersected(target.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar *dark = Darkness.constScanLine(y - at.y()) + (area.left() - at.x());
        QRgb *pixels = reinterpret_cast<QRgb *>(target.scanLine(y)) + area.left();
        for (int x = 0; x < area.width(); ++x) {
            const int d = dark[x];
            if (d == 0)
                continue;
            const QRgb p = pixels[x];
            pixels[x] = qRgba(std::max(0, qRed(p) - d), std::max(0, qGreen(p) - d), std::max(0, qBlue(p) - d), qAlpha(p));
        }
    }
}
