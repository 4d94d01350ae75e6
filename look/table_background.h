#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <vector>

class QPainter;
class QRect;

// What the table shows behind the cards, as the player chose it.
struct BackgroundChoice {
    QColor Color = QColor(0, 128, 0);
    int Pattern_Type = 1; // 0 colour, 1 built-in texture, 2 picture file
    QString Pattern_Name = QStringLiteral("Paper4");
    QString Pattern_File;
    bool Fade = true;
    int Direction = 0; // fade 0 top to bottom, 1 left to right
    bool operator==(const BackgroundChoice &) const = default;
};

// The table background: a plain colour, the colour fading to black, or a picture (a
// texture or a file of the player's). Small pictures are repeated into a tile of at least
// 256 x 200 that is painted from the visible area's corner; large ones (at least 601 x 401)
// are stretched into a tile the size of the table's area once per resize. A picture that
// cannot be read leaves the colour (faded or plain).
class TableBackground {
public:
    static constexpr QSize MinimumTile{256, 200};
    static constexpr QSize LargePicture{601, 401};
    static constexpr int MaxBands = 160;
    // The random background looks this deep into the "Backgrounds" folder, at this many entries.
    static constexpr int MaxFolderDepth = 6;
    static constexpr int MaxFolderEntries = 5000;

    explicit TableBackground(QString programFolder);

    // Prepares the pictures for the choice; a texture or file that cannot be read turns
    // the choice into colour mode (Pattern_Type 0), which Choice() then tells.
    void Apply(const BackgroundChoice &choice);
    const BackgroundChoice &Choice() const { return choice; }

    // The area the stretched picture fills (the table's visible area) changed; true when
    // the tile was made again.
    bool Resize(QSize client);
    // The screen: pictures are decoded no larger than needed to cover it, and the gradient
    // runs over the screen plus margin pixels each way.
    void SetScreen(QSize screenSize, int margin);
    // Device pixels per logical pixel of the table: a stretched picture is made at the
    // screen's own density, so it stays sharp on a dense screen.
    void SetDevicePixelRatio(qreal ratio) { devicePixelRatio = std::max<qreal>(1.0, ratio); }

    // Paints the background into area (table coordinates); origin: the table point at the
    // top left of the visible area, where tiles and the gradient start.
    void Paint(QPainter &painter, const QRect &area, QPoint origin) const;

    // At a new game: one of the textures and of the files of the program's "Backgrounds"
    // folder, picked uniformly with randomIndex (0..count-1), then applied. False when
    // there is nothing to pick from.
    bool ChooseRandom(const std::function<int(int)> &randomIndex);
    QStringList RandomCandidates() const;

    // The picture the paint repeats (null in colour mode), and the large picture the tile
    // is stretched from (null for small pictures).
    const QImage &Tile() const { return tile; }
    const QImage &Source() const { return source; }

    // One band of the gradient along the fade direction.
    struct Band {
        int Start;
        int Thickness;
        QColor Color;
    };
    // The gradient from `from` to `to` over extent pixels: n = min(160, extent) bands (at
    // least 1) of extent div n pixels, band i coloured from + (to - from) * i / (n - 1) per
    // channel, rounded; the rest of the extent at the far end in `to`.
    static std::vector<Band> GradientBands(QColor from, QColor to, int extent);
    // The tile of a small picture: the picture repeated to the smallest multiples of its
    // size that reach 256 x 200.
    static QImage RepeatedTile(const QImage &picture);
    // The files under a folder and its sub-folders, at most maxDepth levels down and
    // maxEntries entries looked at; links to folders are not followed.
    static QStringList FolderFiles(const QString &folder, int maxDepth, int maxEntries);

private:
    QImage loadPicture() const;
    void paintGradient(QPainter &painter, const QRect &area, QPoint origin) const;

    QString programFolder;
    BackgroundChoice choice;
    QImage tile;
    QImage source;
    QSize client;
    qreal devicePixelRatio = 1.0;
    QSize screen{1280, 1024};
    QSize gradientSize{1580, 1324};
};
