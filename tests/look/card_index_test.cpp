// The corner index must be readable in what an overlapping card leaves of a face: the top
// strip of a vertical spread and the left strip of a horizontal fan, at every card size.
#include "engine/card_pictures.h"
#include "engine/engine_state.h"
#include "look/art/card_art.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using CardArt::Design;

struct Setting {
    QSize card;
    qreal ratio;
};
// The nominal sizes, sizes between and above them of the reference proportion, and HiDPI.
const Setting settings[] = {
    {{55, 74}, 1.0},  {{71, 96}, 1.0},  {{89, 120}, 1.0},  {{55, 74}, 2.0},   {{71, 96}, 2.0},
    {{89, 120}, 2.0}, {{62, 84}, 1.0},  {{80, 108}, 1.0},  {{110, 149}, 1.0}, {{120, 162}, 1.0},
    {{120, 162}, 2.0}, {{130, 176}, 1.0}, {{130, 176}, 2.0}, {{160, 216}, 1.0}, {{71, 96}, 1.5},
};

// How the board turns a spread in layout units into pixels of a card of this size.
int spreadPixels(int spread, int cardSize, int referenceSize)
{
    return RoundHalfEven(double(spread) * cardSize / referenceSize);
}

enum Ink : quint8 { None, Black, Red };

// Pixels a player reads as print: strongly red or near black (anti-aliased fringes and the grey
// card border are not ink).
Ink inkOf(QRgb pixel)
{
    if (qAlpha(pixel) < 200)
        return None;
    const int red = qRed(pixel), green = qGreen(pixel), blue = qBlue(pixel);
    if (red >= 140 && red - green >= 90 && red - blue >= 80)
        return Red;
    if (qMax(red, qMax(green, blue)) < 80)
        return Black;
    return None;
}

// The ink of a rectangle of device pixels, row by row.
struct InkMap {
    QRect area;
    std::vector<Ink> cells;

    InkMap(const QImage &picture, QRect rect) : area(rect)
    {
        const QImage plain = picture.convertToFormat(QImage::Format_ARGB32);
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                cells.push_back(inkOf(plain.pixel(x, y)));
    }
    Ink at(int x, int y) const { return cells[size_t((y - area.top()) * area.width() + x - area.left())]; }
    // The ink of the rows [top, bottom) only.
    InkMap rows(int top, int bottom) const
    {
        InkMap part = *this;
        part.area = QRect(area.left(), top, area.width(), bottom - top);
        part.cells.assign(cells.begin() + (top - area.top()) * area.width(),
                          cells.begin() + (bottom - area.top()) * area.width());
        return part;
    }
    int count(Ink ink) const { return int(std::count(cells.begin(), cells.end(), ink)); }
    bool rowHasInk(int y) const
    {
        for (int x = area.left(); x <= area.right(); ++x)
            if (at(x, y) != None)
                return true;
        return false;
    }
};

// Two inked areas read differently when a good part of their ink differs.
bool readDifferently(const InkMap &a, const InkMap &b)
{
    int differing = 0, inked = 0;
    for (size_t i = 0; i < a.cells.size(); ++i) {
        differing += a.cells[i] != b.cells[i];
        inked += a.cells[i] != None || b.cells[i] != None;
    }
    return inked > 0 && differing * 10 >= inked;
}

struct Face {
    int suit;
    int rank;
    QImage picture;
    Ink colour() const { return suit == 2 || suit == 3 ? Red : Black; }
};

std::vector<Face> allFaces(Design design, const Setting &setting)
{
    std::vector<Face> faces;
    for (int suit = 1; suit <= 4; ++suit)
        for (int rank = 1; rank <= 13; ++rank)
            faces.push_back({suit, rank, CardArt::Face(design, suit, rank, setting.card, setting.ratio)});
    return faces;
}

std::string describe(Design design, const Setting &setting, const Face &face)
{
    return (design == Design::Standard ? "standard " : "highland ") + std::to_string(setting.card.width()) + "x" +
           std::to_string(setting.card.height()) + "@" + std::to_string(setting.ratio) + " suit " +
           std::to_string(face.suit) + " rank " + std::to_string(face.rank);
}

// The strips in device pixels: the rows a vertical spread leaves, the columns a horizontal fan leaves.
int topStrip(const Setting &setting)
{
    return qRound(spreadPixels(CardArt::NarrowestVerticalSpread, setting.card.height(), CardPictures::ReferenceHeight) *
                  setting.ratio);
}
int leftStrip(const Setting &setting)
{
    return qRound(spreadPixels(CardArt::NarrowestHorizontalSpread, setting.card.width(), CardPictures::ReferenceWidth) *
                  setting.ratio);
}

} // namespace

// In a vertical spread only the top strip shows: the rank sits in the left strip's width and a
// suit sign beside it, so the four suits of a rank and the thirteen ranks of a suit all differ.
TEST(CardIndex, TheTopStripOfAVerticalSpreadShowsRankAndSuitSideBySide)
{
    for (Design design : {Design::Standard, Design::Highland}) {
        for (const Setting &setting : settings) {
            const int rows = topStrip(setting);
            const int split = leftStrip(setting);
            const int indexRight = qRound(setting.card.width() * 0.3 * setting.ratio);
            const std::vector<Face> faces = allFaces(design, setting);
            std::vector<InkMap> rankParts, suitParts;
            for (const Face &face : faces) {
                SCOPED_TRACE(describe(design, setting, face));
                rankParts.emplace_back(face.picture, QRect(0, 0, split, rows));
                suitParts.emplace_back(face.picture, QRect(split, 0, indexRight - split, rows));
                EXPECT_GT(rankParts.back().count(face.colour()), 4 * setting.ratio * setting.ratio);
                EXPECT_GT(suitParts.back().count(face.colour()), 4 * setting.ratio * setting.ratio);
            }
            for (size_t a = 0; a < faces.size(); ++a) {
                for (size_t b = a + 1; b < faces.size(); ++b) {
                    SCOPED_TRACE(describe(design, setting, faces[a]) + " against " + describe(design, setting, faces[b]));
                    if (faces[a].suit == faces[b].suit) {
                        EXPECT_TRUE(readDifferently(rankParts[a], rankParts[b]));
                    } else if (faces[a].rank == faces[b].rank) {
                        EXPECT_TRUE(readDifferently(suitParts[a], suitParts[b]));
                    }
                }
            }
        }
    }
}

// In a horizontal fan only the left strip shows: the whole rank, "10" included, with the suit
// below it, and no print of the index cut by the edge of the card on top.
TEST(CardIndex, TheLeftStripOfAHorizontalFanHoldsTheWholeRankAboveTheSuit)
{
    for (Design design : {Design::Standard, Design::Highland}) {
        for (const Setting &setting : settings) {
            const int columns = leftStrip(setting);
            const int indexBottom = qRound(setting.card.height() * 0.3 * setting.ratio);
            const std::vector<Face> faces = allFaces(design, setting);
            std::vector<InkMap> rankParts, suitParts;
            for (const Face &face : faces) {
                SCOPED_TRACE(describe(design, setting, face));
                const InkMap edge(face.picture, QRect(columns - 1, 0, 2, indexBottom));
                for (int y = 0; y < indexBottom; ++y)
                    EXPECT_FALSE(edge.at(columns - 1, y) != None && edge.at(columns, y) != None) << "row " << y;

                // The rank is the first band of inked rows and the suit sign the next, apart by
                // more than the single unprinted row a glyph may have inside it.
                const InkMap strip(face.picture, QRect(0, 0, columns, indexBottom));
                const int gap = qMax(2, qRound(1.5 * setting.ratio));
                const auto blankRun = [&](int from) {
                    int run = 0;
                    while (from + run < indexBottom && !strip.rowHasInk(from + run))
                        ++run;
                    return run;
                };
                int y = 0;
                y += blankRun(y);
                const int rankTop = y;
                while (y < indexBottom && (strip.rowHasInk(y) || blankRun(y) < gap))
                    ++y;
                const int rankBottom = y;
                y += blankRun(y);
                const int suitTop = y;
                while (y < indexBottom && (strip.rowHasInk(y) || blankRun(y) < gap))
                    ++y;
                ASSERT_LT(rankTop, rankBottom);
                ASSERT_LT(suitTop, y);
                rankParts.push_back(strip.rows(rankTop, rankBottom));
                suitParts.push_back(strip.rows(suitTop, y));
                EXPECT_GT(rankParts.back().count(face.colour()), 4 * setting.ratio * setting.ratio);
                EXPECT_GT(suitParts.back().count(face.colour()), 4 * setting.ratio * setting.ratio);
            }
            for (size_t a = 0; a < faces.size(); ++a) {
                for (size_t b = a + 1; b < faces.size(); ++b) {
                    SCOPED_TRACE(describe(design, setting, faces[a]) + " against " + describe(design, setting, faces[b]));
                    if (faces[a].suit == faces[b].suit && rankParts[a].area == rankParts[b].area) {
                        EXPECT_TRUE(readDifferently(rankParts[a], rankParts[b]));
                    } else if (faces[a].rank == faces[b].rank && suitParts[a].area == suitParts[b].area) {
                        EXPECT_TRUE(readDifferently(suitParts[a], suitParts[b]));
                    }
                }
            }
        }
    }
}
