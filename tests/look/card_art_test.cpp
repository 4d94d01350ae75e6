#include "look/art/card_art.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

using CardArt::Design;

// Every id the program's own pictures answer.
QStringList programPictureIds()
{
    QStringList ids;
    for (int face = 1; face <= 52; ++face)
        ids << QString::number(face);
    for (int mark = 67; mark <= 80; ++mark)
        ids << QString::number(mark);
    ids << QStringLiteral("87");
    for (int slot = 53; slot <= 65; ++slot)
        ids << QStringLiteral("BST%1").arg(slot);
    for (int slot = 88; slot <= 90; ++slot)
        ids << QStringLiteral("BST%1").arg(slot);
    for (int index = 0; index <= 13; ++index)
        ids << CardArt::FoundationRankName(index);
    ids << QStringLiteral("aeroball") << QStringLiteral("emptyvalue");
    return ids;
}

struct Setting {
    int sizeIndex;
    qreal ratio;
};
const Setting settings[] = {{0, 1.0}, {1, 1.0}, {2, 1.0}, {0, 2.0}, {1, 1.5}, {2, 2.0}};

bool isRed(QRgb pixel)
{
    if (qAlpha(pixel) < 128)
        return false;
    const QColor colour = QColor::fromRgba(pixel).toRgb();
    return colour.red() >= 140 && colour.red() - colour.green() >= 90 && colour.red() - colour.blue() >= 80;
}

int redPixels(const QImage &picture)
{
    const QImage plain = picture.convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            count += isRed(plain.pixel(x, y));
    return count;
}

void expectCardShaped(const QImage &picture, QSize card, qreal ratio, const QString &what)
{
    SCOPED_TRACE(what.toStdString());
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(qRound(card.width() * ratio), qRound(card.height() * ratio)));
    EXPECT_DOUBLE_EQ(picture.devicePixelRatio(), ratio);
    const int right = picture.width() - 1;
    const int bottom = picture.height() - 1;
    for (QPoint corner : {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)})
        EXPECT_EQ(qAlpha(picture.pixel(corner)), 0) << corner.x() << "," << corner.y();
    EXPECT_EQ(qAlpha(picture.pixel(picture.width() / 2, picture.height() / 2)), 255);
    EXPECT_EQ(qAlpha(picture.pixel(picture.width() / 2, 1)), 255);
}

} // namespace

TEST(CardArt, FacesJokerAndBacksHaveTheCardSizeAndTransparentCorners)
{
    for (const Setting &setting : settings) {
        const QSize card = CardArt::NominalCardSize(setting.sizeIndex);
        for (Design design : {Design::Standard, Design::Highland}) {
            for (int face = 1; face <= 52; ++face)
                expectCardShaped(CardArt::Face(design, (face - 1) / 13 + 1, (face - 1) % 13 + 1, card, setting.ratio),
                                 card, setting.ratio, QStringLiteral("face %1").arg(face));
            expectCardShaped(CardArt::Joker(design, card, setting.ratio), card, setting.ratio, QStringLiteral("joker"));
            for (int back = 1; back <= 13; ++back)
                expectCardShaped(CardArt::Back(design, back, card, setting.ratio), card, setting.ratio,
                                 QStringLiteral("back %1").arg(back));
        }
    }
}

TEST(CardArt, RedPixelsAppearOnRedSuitsOnly)
{
    for (const Setting &setting : settings) {
        const QSize card = CardArt::NominalCardSize(setting.sizeIndex);
        for (Design design : {Design::Standard, Design::Highland}) {
            for (int suit = 1; suit <= 4; ++suit) {
                for (int rank = 1; rank <= 13; ++rank) {
                    const int red = redPixels(CardArt::Face(design, suit, rank, card, setting.ratio));
                    if (suit == 2 || suit == 3)
                        EXPECT_GT(red, 20) << "suit " << suit << " rank " << rank;
                    else
                        EXPECT_EQ(red, 0) << "suit " << suit << " rank " << rank << " size " << setting.sizeIndex;
                }
            }
        }
    }
}

TEST(CardArt, TheFiftyTwoFacesAreAllDistinct)
{
    for (const Setting &setting : settings) {
        const QSize card = CardArt::NominalCardSize(setting.sizeIndex);
        QList<QImage> faces;
        for (int face = 1; face <= 52; ++face)
            faces << CardArt::Face(Design::Standard, (face - 1) / 13 + 1, (face - 1) % 13 + 1, card, setting.ratio);
        for (int a = 0; a < faces.size(); ++a)
            for (int b = a + 1; b < faces.size(); ++b)
                EXPECT_NE(faces[a], faces[b]) << "faces " << a + 1 << " and " << b + 1;
    }
}

TEST(CardArt, TheThirteenBacksAreAllDistinct)
{
    for (const Setting &setting : settings) {
        const QSize card = CardArt::NominalCardSize(setting.sizeIndex);
        QList<QImage> backs;
        for (int back = 1; back <= 13; ++back)
            backs << CardArt::Back(Design::Standard, back, card, setting.ratio);
        backs << CardArt::Back(Design::Highland, 13, card, setting.ratio);
        for (int a = 0; a < backs.size(); ++a)
            for (int b = a + 1; b < backs.size(); ++b)
                EXPECT_NE(backs[a], backs[b]) << "backs " << a + 1 << " and " << b + 1;
    }
}

TEST(CardArt, MasksCoverExactlyTheirMarks)
{
    const QSize card = CardArt::NominalCardSize(1);
    const std::pair<int, int> pairs[] = {{67, 74}, {68, 73}, {71, 72}, {75, 76}, {77, 78}};
    for (qreal ratio : {1.0, 2.0}) {
        for (auto [picture, mask] : pairs) {
            const QImage markPicture = CardArt::Mark(picture, card, ratio);
            const QImage maskPicture = CardArt::Mark(mask, card, ratio);
            ASSERT_EQ(markPicture.size(), maskPicture.size());
            int shown = 0;
            for (int y = 0; y < markPicture.height(); ++y) {
                for (int x = 0; x < markPicture.width(); ++x) {
                    ASSERT_EQ(qAlpha(markPicture.pixel(x, y)), qAlpha(maskPicture.pixel(x, y))) << picture;
                    shown += qAlpha(markPicture.pixel(x, y)) > 0;
                }
            }
            EXPECT_GT(shown, 50) << picture;
            EXPECT_EQ(qAlpha(markPicture.pixel(0, 0)), 0) << picture; // the table shows around the mark
        }
    }
}

TEST(CardArt, CardShapeAndItsInverseSplitTheCard)
{
    for (const Setting &setting : settings) {
        const QSize card = CardArt::NominalCardSize(setting.sizeIndex);
        const QImage shape = CardArt::Mark(69, card, setting.ratio);
        const QImage inverse = CardArt::Mark(70, card, setting.ratio);
        expectCardShaped(shape, card, setting.ratio, QStringLiteral("shape"));
        for (int y = 0; y < shape.height(); y += 3)
            for (int x = 0; x < shape.width(); x += 3)
                ASSERT_EQ(qAlpha(shape.pixel(x, y)) + qAlpha(inverse.pixel(x, y)), 255);
    }
}

TEST(CardArt, ProgramPicturesAnswerEveryIdAndOnlyThose)
{
    const QSize card = CardArt::NominalCardSize(1);
    const QStringList ids = programPictureIds();
    EXPECT_EQ(ids.size(), 52 + 14 + 1 + 13 + 3 + 14 + 2);
    for (const QString &id : ids)
        EXPECT_FALSE(CardArt::ProgramPicture(id, card, 1.0).isNull()) << id.toStdString();
    for (const char *unknown : {"0", "53", "66", "81", "86", "88", "05", "+5", "BST52", "BST66", "BST053", "tabl1",
                                "", "BST"})
        EXPECT_TRUE(CardArt::ProgramPicture(QString::fromLatin1(unknown), card, 1.0).isNull()) << unknown;
    EXPECT_EQ(CardArt::ProgramPicture(QStringLiteral("14"), card, 1.0), CardArt::Face(Design::Standard, 2, 1, card, 1.0));
}

TEST(CardArt, FoundationPicturesAreDistinctAndFitTheCard)
{
    for (const Setting &setting : settings) {
        const QSize card = CardArt::NominalCardSize(setting.sizeIndex);
        QList<QImage> ranks;
        for (int index = 0; index <= 13; ++index) {
            const QImage picture = CardArt::FoundationPicture(CardArt::FoundationRankName(index), card, setting.ratio);
            ASSERT_FALSE(picture.isNull()) << index;
            EXPECT_LE(picture.deviceIndependentSize().width(), card.width());
            EXPECT_LE(picture.deviceIndependentSize().height(), card.height());
            EXPECT_FALSE(ranks.contains(picture)) << index;
            ranks << picture;
        }
        for (const char *backdrop : {"aeroball", "emptyvalue"}) {
            const QImage picture = CardArt::FoundationPicture(QString::fromLatin1(backdrop), card, setting.ratio);
            ASSERT_FALSE(picture.isNull());
            EXPECT_LE(picture.deviceIndependentSize().width(), card.width());
            EXPECT_TRUE(picture.hasAlphaChannel());
        }
    }
    EXPECT_TRUE(CardArt::FoundationRankName(14).isEmpty());
}
