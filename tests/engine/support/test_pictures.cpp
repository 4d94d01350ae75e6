#include "tests/engine/support/test_pictures.h"

#include <QPainter>

namespace TestPictures {

namespace {

QImage blank(int width = Width, int height = Height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage card(const QColor &inside, bool block)
{
    QImage image = blank();
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            if (!InsideShape(x, y))
                continue;
            const bool edge = x == 0 || y == 0 || x == Width - 1 || y == Height - 1 || !InsideShape(x - 1, y)
                || !InsideShape(x + 1, y) || !InsideShape(x, y - 1) || !InsideShape(x, y + 1);
            QColor colour = edge ? Border : inside;
            if (block && x >= 20 && x < 50 && y >= 60 && y < 80)
                colour = Block;
            image.setPixelColor(x, y, colour);
        }
    return image;
}

QImage centreBlock(const QColor &colour)
{
    QImage image = blank();
    QPainter(&image).fillRect(QRect(Width / 2 - 10, Height / 2 - 10, 20, 20), colour);
    return image;
}

QImage frame(const QColor &colour)
{
    QImage image = blank();
    QPainter painter(&image);
    painter.fillRect(QRect(0, 0, Width, 3), colour);
    painter.fillRect(QRect(0, Height - 3, Width, 3), colour);
    painter.fillRect(QRect(0, 0, 3, Height), colour);
    painter.fillRect(QRect(Width - 3, 0, 3, Height), colour);
    return image;
}

QImage filled(int side, const QColor &colour)
{
    QImage image = blank(side, side);
    image.fill(colour);
    return image;
}

} // namespace

QColor Rank(int index)
{
    return QColor(10 + index * 15, 200 - index * 10, 30 + index * 5);
}

bool InsideShape(int x, int y)
{
    if (x < 0 || y < 0 || x >= Width || y >= Height)
        return false;
    const int cx = x < Radius ? Radius : (x >= Width - Radius ? Width - Radius - 1 : x);
    const int cy = y < Radius ? Radius : (y >= Height - Radius ? Height - Radius - 1 : y);
    const int dx = x - cx, dy = y - cy;
    return dx * dx + dy * dy <= Radius * Radius;
}

void Load(CardPictures &table)
{
    table.Clear();
    table.SetCardSize(Width, Height);
    table.SetAlphaBlending(true);
    const QImage face = card(FaceWhite, true);
    for (int slot = 1; slot <= 52; ++slot)
        table.SetPicture(slot, face);
    table.SetPicture(CardPictures::Joker, face);
    const QImage back = card(Back, false);
    for (int slot = CardPictures::FirstBack; slot <= CardPictures::LastBack; ++slot)
        table.SetPicture(slot, back);

    QImage shape = blank();
    QImage shade = blank();
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            if (InsideShape(x, y)) {
                shape.setPixelColor(x, y, Qt::white);
                shade.setPixelColor(x, y, CompletedShade);
            }
    table.SetPicture(CardPictures::CardMask, shape);
    table.SetPicture(CardPictures::CompletedMark, shade);

    table.SetPicture(CardPictures::Outline, frame(OutlineFrame));
    table.SetPicture(CardPictures::FoundationFrame, frame(FoundationFrame));
    table.SetPicture(CardPictures::RedCross, centreBlock(RedCross));
    table.SetPicture(CardPictures::GreenRing, centreBlock(GreenRing));
    table.SetPicture(CardPictures::GreenArrow, centreBlock(GreenArrow));
    table.SetPicture(CardPictures::RedealPicture, centreBlock(RedealMark));
    table.SetPicture(CardPictures::CrossPicture, centreBlock(CrossMark));
    table.SetPicture(CardPictures::RingPicture, centreBlock(RingMark));
    table.SetBackdrops(filled(40, RankBackdrop), filled(40, QuestionBackdrop));
    table.SetFoundationRankSource([](int index) { return filled(20, Rank(index)); });
}

} // namespace TestPictures
