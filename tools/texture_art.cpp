#include "tools/texture_art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace TextureArt {
namespace {

double fraction(double value)
{
    return value - std::floor(value);
}

int wrap(int value, int period)
{
    const int rest = value % period;
    return rest < 0 ? rest + period : rest;
}

double smooth(double t)
{
    return t * t * (3.0 - 2.0 * t);
}

// Value noise on a lattice that repeats every period cells, so that a texture sampling it
// over a whole number of periods joins seamlessly at its edges.
class Noise {
public:
    explicit Noise(quint32 seed) : seed(seed) {}

    double Lattice(int x, int y, quint32 salt) const
    {
        quint32 h = quint32(x) * 374761393u + quint32(y) * 668265263u + (seed + salt) * 2246822519u;
        h = (h ^ (h >> 13)) * 1274126177u;
        h ^= h >> 16;
        return double(h) / 4294967296.0;
    }

    // One octave at (s, t) in 0..1 over the texture, with the given cells across it.
    double Value(double s, double t, int cellsX, int cellsY, quint32 salt = 0) const
    {
        const double u = s * cellsX;
        const double v = t * cellsY;
        const int x0 = int(std::floor(u));
        const int y0 = int(std::floor(v));
        const double fx = smooth(u - x0);
        const double fy = smooth(v - y0);
        auto at = [&](int x, int y) { return Lattice(wrap(x, cellsX), wrap(y, cellsY), salt); };
        const double top = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * fx;
        const double bottom = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * fx;
        return top + (bottom - top) * fy;
    }

    // Octaves of doubling frequency and falling weight, scaled back to 0..1.
    double Fractal(double s, double t, int cellsX, int cellsY, int octaves, double gain = 0.5) const
    {
        double sum = 0, weight = 1, total = 0;
        for (int octave = 0; octave < octaves; ++octave) {
            sum += weight * Value(s, t, cellsX << octave, cellsY << octave, quint32(octave) * 101u);
            total += weight;
            weight *= gain;
        }
        return sum / total;
    }

    // Distance to the nearest of one random point per cell (cellular noise), repeating.
    double Cellular(double s, double t, int cells) const
    {
        const double u = s * cells, v = t * cells;
        const int cx = int(std::floor(u)), cy = int(std::floor(v));
        double nearest = 4;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int x = cx + dx, y = cy + dy;
                const double px = x + Lattice(wrap(x, cells), wrap(y, cells), 7);
                const double py = y + Lattice(wrap(x, cells), wrap(y, cells), 13);
                nearest = std::min(nearest, std::hypot(px - u, py - v));
            }
        return std::min(nearest, 1.0);
    }

private:
    quint32 seed;
};

QColor scaled(const QColor &colour, double factor)
{
    auto channel = [factor](int value) { return std::clamp(int(std::lround(value * factor)), 0, 255); };
    return QColor(channel(colour.red()), channel(colour.green()), channel(colour.blue()));
}

QColor mixed(const QColor &a, const QColor &b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return QColor(int(std::lround(a.red() + (b.red() - a.red()) * t)),
                  int(std::lround(a.green() + (b.green() - a.green()) * t)),
                  int(std::lround(a.blue() + (b.blue() - a.blue()) * t)));
}

// Fills a picture pixel by pixel; the shader gets the pixel centre in 0..1 of each side.
template <typename Shader> QImage shaded(int width, int height, Shader shader)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = QColor(shader((x + 0.5) / width, (y + 0.5) / height)).rgb();
    }
    return picture;
}

// Draws a path at a point and at its copies one tile away, so that a motif crossing an
// edge continues on the other side.
void drawWrapped(QPainter &painter, const QPainterPath &path, QPointF at, QSize tile)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            painter.drawPath(path.translated(at + QPointF(dx * tile.width(), dy * tile.height())));
}

// Paper or felt: soft clouds, fine grain and a few fibres, in a calm colour.
QImage felt(const QColor &base, quint32 seed)
{
    const Noise noise(seed);
    QImage picture = shaded(256, 256, [&](double s, double t) {
        const double clouds = noise.Fractal(s, t, 4, 4, 5);
        const double grain = noise.Value(s, t, 128, 128, 3);
        return scaled(base, 1.0 + 0.12 * (clouds - 0.5) + 0.07 * (grain - 0.5));
    });
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 260; ++i) {
        const double x = noise.Lattice(i, 1, 21) * 256, y = noise.Lattice(i, 2, 21) * 256;
        const double angle = noise.Lattice(i, 3, 21) * 2 * M_PI, length = 6 + noise.Lattice(i, 4, 21) * 14;
        QPainterPath fibre;
        fibre.moveTo(0, 0);
        fibre.quadTo(length / 2 * std::cos(angle) + 2, length / 2 * std::sin(angle) - 2, length * std::cos(angle),
                     length * std::sin(angle));
        const bool light = i % 2 == 0;
        painter.setPen(QPen(light ? QColor(255, 255, 255, 16) : QColor(0, 0, 0, 18), 0.8));
        painter.setBrush(Qt::NoBrush);
        drawWrapped(painter, fibre, QPointF(x, y), picture.size());
    }
    return picture;
}

// Plain weave: threads of `thread` pixels passing over and under each other.
QImage weave(const QColor &base, int thread, quint32 seed, double slub = 0.08)
{
    const Noise noise(seed);
    const int size = 256;
    return shaded(size, size, [&](double s, double t) {
        const int x = int(s * size), y = int(t * size);
        const int column = x / thread, row = y / thread;
        const bool warpOver = (column + row) % 2 == 0;
        const double across = ((warpOver ? x : y) % thread + 0.5) / thread;
        const double profile = 0.80 + 0.20 * std::sin(M_PI * across);
        const double threadTone = warpOver ? noise.Lattice(column, 0, 5) : noise.Lattice(0, row, 9);
        const double mottle = noise.Fractal(s, t, 4, 4, 4);
        return scaled(base, profile * (1.0 + slub * (threadTone - 0.5) + 0.10 * (mottle - 0.5)));
    });
}

// Marble: veins where a turbulent wave crosses zero.
QImage marble(const QColor &stone, const QColor &vein, quint32 seed)
{
    const Noise noise(seed);
    return shaded(512, 512, [&](double s, double t) {
        const double turbulence = noise.Fractal(s, t, 2, 2, 7, 0.55);
        const double wave = std::sin(2 * M_PI * (s + t + 1.4 * turbulence));
        const double veins = std::pow(1.0 - std::abs(wave), 9.0);
        const double haze = 0.5 + 0.5 * std::sin(2 * M_PI * (t - s + 1.1 * noise.Fractal(s, t, 3, 3, 4)));
        const double clouds = noise.Fractal(s, t, 8, 8, 3);
        return scaled(mixed(mixed(stone, vein, 0.15 * haze), vein, 0.38 * veins), 1.0 + 0.08 * (clouds - 0.5));
    });
}

// Wood: growth rings across the board, bent by noise, with fine grain along it.
QImage wood(const QColor &light, const QColor &dark, quint32 seed)
{
    const Noise noise(seed);
    return shaded(256, 256, [&](double s, double t) {
        const double rings = 5 * t + 0.9 * noise.Fractal(s, t, 2, 3, 4);
        const double ring = fraction(rings);
        const double band = std::pow(std::sin(M_PI * ring), 4.0);
        const double grain = noise.Value(s, t, 4, 160, 17);
        return scaled(mixed(light, dark, 0.25 + 0.55 * band), 1.0 + 0.10 * (grain - 0.5));
    });
}

// A fleur-de-lis in a 1 x 1.2 box centred on the origin, scaled by `size`.
QPainterPath fleurDeLis(double size)
{
    QPainterPath path;
    // The middle petal.
    path.moveTo(0, -0.6);
    path.cubicTo(0.22, -0.35, 0.18, -0.05, 0.06, 0.12);
    path.lineTo(-0.06, 0.12);
    path.cubicTo(-0.18, -0.05, -0.22, -0.35, 0, -0.6);
    // The two curling side petals.
    for (int side : {-1, 1}) {
        QPainterPath petal;
        petal.moveTo(side * 0.05, 0.10);
        petal.cubicTo(side * 0.20, -0.30, side * 0.55, -0.30, side * 0.48, -0.02);
        petal.cubicTo(side * 0.44, 0.10, side * 0.30, 0.05, side * 0.34, -0.06);
        petal.cubicTo(side * 0.24, 0.02, side * 0.18, 0.12, side * 0.10, 0.18);
        petal.closeSubpath();
        path.addPath(petal);
    }
    // The band and the foot.
    path.addRoundedRect(QRectF(-0.26, 0.12, 0.52, 0.10), 0.04, 0.04);
    QPainterPath foot;
    foot.moveTo(-0.06, 0.22);
    foot.cubicTo(-0.10, 0.40, -0.26, 0.48, -0.30, 0.60);
    foot.lineTo(0.30, 0.60);
    foot.cubicTo(0.26, 0.48, 0.10, 0.40, 0.06, 0.22);
    foot.closeSubpath();
    path.addPath(foot);
    path.setFillRule(Qt::WindingFill);
    return QTransform::fromScale(size, size).map(path);
}

// An ivy leaf of three pointed lobes, stalk down, centred on the origin.
QPainterPath ivyLeaf(double size)
{
    QPainterPath path;
    path.moveTo(0, 0.30);
    path.cubicTo(-0.20, 0.32, -0.45, 0.25, -0.52, 0.02);
    path.cubicTo(-0.38, -0.02, -0.26, -0.04, -0.18, -0.10);
    path.cubicTo(-0.22, -0.30, -0.10, -0.45, 0, -0.56);
    path.cubicTo(0.10, -0.45, 0.22, -0.30, 0.18, -0.10);
    path.cubicTo(0.26, -0.04, 0.38, -0.02, 0.52, 0.02);
    path.cubicTo(0.45, 0.25, 0.20, 0.32, 0, 0.30);
    path.closeSubpath();
    path.addRect(QRectF(-0.02, 0.28, 0.04, 0.24));
    path.setFillRule(Qt::WindingFill);
    return QTransform::fromScale(size, size).map(path);
}

// A motif repeated on a half-drop grid over a quiet ground.
QImage ornament(const QColor &ground, const QColor &ink, const QPainterPath &motif, quint32 seed, bool turnAlternate)
{
    const Noise noise(seed);
    const int size = 128;
    QImage picture = shaded(size, size, [&](double s, double t) {
        return scaled(ground, 1.0 + 0.08 * (noise.Fractal(s, t, 4, 4, 4) - 0.5));
    });
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    drawWrapped(painter, motif, QPointF(size / 4.0, size / 4.0), picture.size());
    const QPainterPath second = turnAlternate ? QTransform().rotate(180).map(motif) : motif;
    drawWrapped(painter, second, QPointF(size * 3 / 4.0, size * 3 / 4.0), picture.size());
    return picture;
}

// Soft lights on a dark ground; large, so it is stretched rather than tiled.
QImage lensFlare()
{
    const QSize size(800, 600);
    QImage picture(size, QImage::Format_RGB32);
    QPainter painter(&picture);
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, QColor(28, 40, 78));
    sky.setColorAt(1, QColor(8, 12, 30));
    painter.fillRect(picture.rect(), sky);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QPointF source(170, 130), through(520, 400);
    const struct { double along, radius; QColor colour; } rings[] = {
        {0.0, 260, QColor(140, 170, 230, 70)}, {0.0, 60, QColor(230, 235, 255, 120)},
        {0.45, 40, QColor(120, 200, 180, 40)}, {0.75, 90, QColor(150, 120, 210, 30)},
        {1.05, 30, QColor(220, 190, 140, 45)}, {1.35, 120, QColor(90, 140, 220, 25)},
    };
    for (const auto &ring : rings) {
        const QPointF centre = source + (through - source) * ring.along;
        QRadialGradient glow(centre, ring.radius);
        glow.setColorAt(0, ring.colour);
        QColor edge = ring.colour;
        edge.setAlpha(0);
        glow.setColorAt(1, edge);
        painter.setBrush(glow);
        painter.drawEllipse(centre, ring.radius, ring.radius);
    }
    return picture;
}

// A lake at dusk: a fading sky, dark hills and their rippled reflection.
QImage lakeAtDusk()
{
    const Noise noise(77);
    const int width = 800, height = 600;
    const double horizon = 0.58;
    const QColor high(40, 36, 80), low(170, 96, 70), hills(26, 24, 40);
    auto sky = [&](double t) { return mixed(high, low, std::pow(t / horizon, 1.6)); };
    auto ridge = [&](double s) { return horizon - 0.05 - 0.13 * noise.Fractal(s, 0.5, 3, 1, 5, 0.55); };
    return shaded(width, height, [&](double s, double t) {
        if (t < horizon) {
            const QColor air = sky(t);
            const double sun = std::exp(-std::pow((s - 0.68) / 0.08, 2) - std::pow((t - horizon + 0.06) / 0.05, 2));
            const QColor lit = mixed(air, QColor(230, 170, 110), 0.6 * sun);
            return t > ridge(s) ? mixed(hills, lit, 0.12) : lit;
        }
        const double depth = (t - horizon) / (1 - horizon);
        const double ripple = 0.006 * std::sin(2 * M_PI * (40 * depth * depth + 3 * noise.Value(s, t, 6, 30)));
        const double mirrored = std::clamp(horizon - (t - horizon) * 0.9 + ripple, 0.0, horizon - 0.001);
        const QColor reflected = mirrored > ridge(s) ? mixed(hills, sky(mirrored), 0.12) : sky(mirrored);
        return scaled(mixed(reflected, QColor(20, 24, 46), 0.35 + 0.4 * depth), 0.9);
    });
}

QImage copperGradient()
{
    const Noise noise(31);
    return shaded(640, 480, [&](double s, double t) {
        const double along = 0.6 * s + 0.4 * t;
        const QColor shine = mixed(QColor(176, 104, 62), QColor(92, 46, 26), along);
        return scaled(shine, 1.0 + 0.06 * (noise.Value(s, t, 8, 240, 3) - 0.5));
    });
}

QImage kaleidoscope()
{
    const Noise noise(5);
    auto mirror = [](double v) { return 1.0 - std::abs(2.0 * v - 1.0); };
    return shaded(256, 256, [&](double s, double t) {
        double a = mirror(s), b = mirror(t);
        if (a < b)
            std::swap(a, b);
        const double field = noise.Fractal(a, b, 3, 3, 4);
        const double hue = 0.5 + 0.5 * std::cos(2 * M_PI * (1.6 * field));
        return mixed(QColor(58, 48, 86), QColor(46, 84, 96), 0.2 + 0.6 * hue);
    });
}

QImage granite()
{
    const Noise noise(41);
    return shaded(256, 256, [&](double s, double t) {
        const double fleck = noise.Value(s, t, 96, 96, 1);
        const double fine = noise.Value(s, t, 192, 192, 2);
        QColor colour = scaled(QColor(112, 110, 106), 1.0 + 0.1 * (noise.Fractal(s, t, 4, 4, 3) - 0.5));
        if (fleck > 0.78)
            colour = mixed(colour, QColor(52, 50, 50), (fleck - 0.78) * 3);
        else if (fine > 0.85)
            colour = mixed(colour, QColor(170, 164, 156), (fine - 0.85) * 4);
        return colour;
    });
}

QImage frostedGlass()
{
    const Noise noise(53);
    return shaded(256, 256, [&](double s, double t) {
        const double cell = noise.Cellular(s, t, 8);
        const double frost = noise.Value(s, t, 128, 128, 4);
        return scaled(QColor(72, 112, 124), 0.86 + 0.22 * cell + 0.06 * (frost - 0.5));
    });
}

QImage ripples()
{
    const Noise noise(61);
    return shaded(256, 256, [&](double s, double t) {
        const double bend = noise.Fractal(s, t, 2, 2, 3);
        const double wave = std::sin(2 * M_PI * (3 * s + 2 * t + 1.5 * bend)) +
                            0.6 * std::sin(2 * M_PI * (-2 * s + 5 * t + 1.2 * bend));
        return scaled(QColor(36, 84, 116), 1.0 + 0.07 * wave);
    });
}

// A relief lit from the top left: the noise's slope brightens or darkens the ground.
QImage relief(const QColor &ground, int cells, double depth, quint32 seed)
{
    const Noise noise(seed);
    const double step = 1.0 / 256;
    return shaded(256, 256, [&](double s, double t) {
        const double here = noise.Fractal(s, t, cells, cells, 5);
        const double slope = here - noise.Fractal(s - step, t - step, cells, cells, 5);
        return scaled(ground, 1.0 + depth * slope * 12 + 0.05 * (here - 0.5));
    });
}

QImage leather()
{
    const Noise noise(71);
    return shaded(256, 256, [&](double s, double t) {
        const double crease = noise.Cellular(s, t, 16);
        const double tone = noise.Fractal(s, t, 4, 4, 4);
        return scaled(QColor(104, 64, 38), 0.80 + 0.25 * std::sqrt(crease) + 0.1 * (tone - 0.5));
    });
}

QImage bokeh()
{
    const Noise noise(83);
    QImage picture = shaded(256, 256, [&](double s, double t) {
        return scaled(QColor(24, 64, 70), 1.0 + 0.1 * (noise.Fractal(s, t, 2, 2, 3) - 0.5));
    });
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 18; ++i) {
        const double radius = 8 + noise.Lattice(i, 0, 3) * 22;
        QPainterPath dot;
        dot.addEllipse(QPointF(0, 0), radius, radius);
        painter.setBrush(QColor(150, 210, 200, 14 + int(noise.Lattice(i, 1, 3) * 18)));
        drawWrapped(painter, dot, QPointF(noise.Lattice(i, 2, 3) * 256, noise.Lattice(i, 3, 3) * 256), picture.size());
    }
    return picture;
}

QPainterPath damask(double size)
{
    QPainterPath path;
    for (int side : {-1, 1}) {
        QPainterPath curl;
        curl.moveTo(0, -0.5);
        curl.cubicTo(side * 0.45, -0.35, side * 0.50, 0.05, side * 0.20, 0.10);
        curl.cubicTo(side * 0.05, 0.12, side * 0.08, -0.10, side * 0.22, -0.05);
        curl.cubicTo(side * 0.25, -0.25, side * 0.10, -0.32, 0, -0.28);
        curl.closeSubpath();
        path.addPath(curl);
        QPainterPath lower;
        lower.moveTo(0, 0.05);
        lower.cubicTo(side * 0.30, 0.15, side * 0.30, 0.45, 0, 0.55);
        lower.cubicTo(side * 0.12, 0.40, side * 0.12, 0.20, 0, 0.05);
        path.addPath(lower);
    }
    path.addEllipse(QPointF(0, -0.62), 0.06, 0.06);
    path.setFillRule(Qt::WindingFill);
    return QTransform::fromScale(size, size).map(path);
}

// Dunes under an evening sky: wide enough to be stretched over the table.
QImage dunes()
{
    const Noise noise(97);
    const int width = 1600, height = 1000;
    const QColor skyHigh(54, 70, 112), skyLow(196, 150, 112), sandLit(176, 128, 84), sandShade(96, 62, 48);
    auto crest = [&](double s, int layer) {
        return 0.46 + 0.13 * layer - 0.16 * noise.Fractal(s, 0.3 * layer, 3, 1, 4, 0.45);
    };
    return shaded(width, height, [&](double s, double t) {
        for (int layer = 3; layer >= 0; --layer) {
            const double top = crest(s, layer);
            if (t < top || (layer > 0 && t < crest(s, layer - 1)))
                continue;
            // Lit along the crest, darker down the dune's face.
            const double light = std::clamp(0.85 - (t - top) * 5.0, 0.0, 1.0);
            const QColor sand = mixed(sandShade, sandLit, light);
            return scaled(sand, (0.72 + 0.08 * layer) * (1.0 + 0.05 * (noise.Value(s, t, 400, 250, layer) - 0.5)));
        }
        return mixed(skyHigh, skyLow, std::pow(t / 0.55, 1.4));
    });
}

// Small pebbles on sand: a tile of its own size, repeated over the table.
QImage pebbles()
{
    const Noise noise(101);
    return shaded(200, 160, [&](double s, double t) {
        const double stone = noise.Cellular(s * 1.0, t * 1.0, 10);
        const double tone = noise.Lattice(int(s * 10), int(t * 10), 5);
        const QColor sand = scaled(QColor(150, 134, 110), 1.0 + 0.08 * (noise.Value(s, t, 100, 80) - 0.5));
        const QColor pebble = scaled(QColor(118, 110, 102), 0.85 + 0.3 * tone + 0.4 * (0.3 - stone));
        return mixed(pebble, sand, smooth(std::clamp((stone - 0.27) / 0.08, 0.0, 1.0)));
    });
}

} // namespace

std::vector<Texture> FolderPictures()
{
    return {{QStringLiteral("Evening dunes"), dunes()}, {QStringLiteral("Pebbles"), pebbles()}};
}

std::vector<Texture> ProgramTextures()
{
    return {
        {QStringLiteral("PAPER4"), felt(QColor(26, 112, 50), 4)},
        {QStringLiteral("CLOTH1"), weave(QColor(44, 64, 112), 4, 11)},
        {QStringLiteral("CLOTH2"), weave(QColor(112, 36, 46), 4, 12)},
        {QStringLiteral("CLOTH3"), weave(QColor(118, 104, 84), 2, 13, 0.16)},
        {QStringLiteral("LENS__FLARE"), lensFlare()},
        {QStringLiteral("MARBLE1"), marble(QColor(164, 166, 164), QColor(96, 98, 104), 21)},
        {QStringLiteral("MARBLE2"), marble(QColor(40, 88, 68), QColor(132, 172, 150), 22)},
        {QStringLiteral("MARBLE3"), marble(QColor(146, 100, 96), QColor(206, 172, 160), 23)},
        {QStringLiteral("SHAPES____FLEUR_DE_LIS"),
         ornament(QColor(36, 52, 96), QColor(56, 76, 128), fleurDeLis(44), 31, false)},
        {QStringLiteral("SHAPES____HEDERA"), ornament(QColor(40, 82, 46), QColor(30, 64, 36), ivyLeaf(52), 32, true)},
        {QStringLiteral("WOOD1"), wood(QColor(156, 110, 64), QColor(116, 76, 42), 41)},
        {QStringLiteral("WOOD2"), wood(QColor(96, 64, 42), QColor(62, 40, 26), 42)},
        {QStringLiteral("WOOD3"), wood(QColor(146, 74, 48), QColor(106, 50, 32), 43)},
        {QStringLiteral("WOOD4"), wood(QColor(184, 146, 96), QColor(150, 110, 66), 44)},
    };
}

std::vector<Texture> PackageTextures()
{
    return {
        {QStringLiteral("KALEIDOSCOPE01"), kaleidoscope()},
        {QStringLiteral("MARBLE4"), marble(QColor(52, 52, 60), QColor(150, 130, 92), 24)},
        {QStringLiteral("STONE1"), granite()},
        {QStringLiteral("GLASS1"), frostedGlass()},
        {QStringLiteral("RIPPLES1"), ripples()},
        {QStringLiteral("PLASTER1"), relief(QColor(160, 150, 130), 6, 0.6, 91)},
        {QStringLiteral("LANDSCAPES____LAKE__IN__THE__DUSK"), lakeAtDusk()},
        {QStringLiteral("GRADIENTS____COPPER"), copperGradient()},
        {QStringLiteral("ORNAMENTS____ORNAMENT1"),
         ornament(QColor(92, 30, 40), QColor(118, 46, 56), damask(60), 33, false)},
        {QStringLiteral("MISC1"), bokeh()},
        {QStringLiteral("LEATHER"), leather()},
        {QStringLiteral("BURLAP"), weave(QColor(150, 122, 82), 8, 14, 0.2)},
    };
}

} // namespace TextureArt
