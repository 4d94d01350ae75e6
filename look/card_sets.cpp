#include "look/card_sets.h"

#include "look/art/card_art.h"
#include "look/card_set_package.h"
#include "look/card_sizing.h"
#include "look/desktop_decks.h"
#include "look/picture_file.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QPainter>
#include <QRandomGenerator>

const QString CardSets::ColourDepthMessage = QStringLiteral(
    "Card set you have selected cannot be dislpayed with current color settings. Default card set will be "
    "displayed instead. Please change color settings of your monitor to 16-bit color or higher to be able to "
    "select this card set.");

namespace {

constexpr int JokerOffset = 53;

QSize pixelSize(QSize card, qreal ratio)
{
    return QSize(qRound(card.width() * ratio), qRound(card.height() * ratio));
}

QSize logicalSize(const QImage &picture)
{
    return picture.deviceIndependentSize().toSize();
}

// The picture at exactly the card size and ratio, stretched smoothly when it differs.
QImage fitted(const QImage &picture, QSize card, qreal ratio)
{
    QImage result = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QSize pixels = pixelSize(card, ratio);
    if (result.size() != pixels)
        result = result.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    result.setDevicePixelRatio(ratio);
    return result;
}

// The card shape from a card-outline picture: opaque where the mask is white and opaque,
// transparent where it is black or transparent, so masks with and without alpha both serve.
QImage shapeFromMask(const QImage &mask)
{
    QImage shape = mask.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < shape.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(shape.scanLine(y));
        for (int x = 0; x < shape.width(); ++x) {
            const int alpha = qGray(line[x]) * qAlpha(line[x]) / 255;
            line[x] = qRgba(255, 255, 255, alpha);
        }
    }
    shape = shape.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    shape.setDevicePixelRatio(mask.devicePixelRatio());
    return shape;
}

QImage cutToShape(QImage picture, const QImage &shape)
{
    QPainter painter(&picture);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    painter.drawImage(QRectF(QPointF(0, 0), picture.deviceIndependentSize()), shape);
    return picture;
}

// A back: a white card with the back picture stretched over it, cut to the card shape.
QImage backOnCard(const QImage &back, QSize card, qreal ratio, const QImage &shape)
{
    QImage result(pixelSize(card, ratio), QImage::Format_ARGB32_Premultiplied);
    result.setDevicePixelRatio(ratio);
    result.fill(Qt::white);
    {
        QPainter painter(&result);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(QPointF(0, 0), QSizeF(card)), back);
    }
    return cutToShape(result, shape);
}

// An alpha mark (88..90) brought to the card: shrunk when at least as large in both
// directions, kept as it is when no larger in either, and stretched to the card otherwise.
QImage alphaMarkForCard(const QImage &mark, QSize card, qreal ratio)
{
    const QSize size = logicalSize(mark);
    const bool atLeast = size.width() >= card.width() && size.height() >= card.height();
    const bool noLarger = size.width() <= card.width() && size.height() <= card.height();
    if (noLarger && !atLeast) {
        QImage kept = mark.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        kept.setDevicePixelRatio(mark.devicePixelRatio());
        return kept;
    }
    return fitted(mark, card, ratio);
}

QImage inverseOf(const QImage &shape)
{
    QImage inverse = shape.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < inverse.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(inverse.scanLine(y));
        for (int x = 0; x < inverse.width(); ++x) {
            const int alpha = 255 - qAlpha(line[x]);
            line[x] = qRgba(alpha, alpha, alpha, alpha);
        }
    }
    inverse.setDevicePixelRatio(shape.devicePixelRatio());
    return inverse;
}

// The completed-foundation mark: a dither of dark dots inside the card shape.
QImage completedMark(const QImage &shape)
{
    QImage mark(shape.size(), QImage::Format_ARGB32_Premultiplied);
    mark.setDevicePixelRatio(shape.devicePixelRatio());
    const int step = qMax(1, qRound(shape.devicePixelRatio()));
    for (int y = 0; y < mark.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(shape.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(mark.scanLine(y));
        for (int x = 0; x < mark.width(); ++x) {
            const bool dot = ((x / step) + (y / step)) % 2 == 0;
            const int alpha = dot ? qAlpha(in[x]) * 120 / 255 : 0;
            out[x] = qRgba(0, 0, 0, alpha);
        }
    }
    return mark;
}

// A mark picture drawn without alpha takes its transparency from its mask (white where
// the mark shows), so the painter can draw every mark over the table as it is.
QImage withAlphaFromMask(const QImage &picture, const QImage &mask)
{
    if (picture.isNull() || mask.isNull() || mask.size() != picture.size())
        return picture;
    QImage opaqueTest = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < opaqueTest.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(opaqueTest.constScanLine(y));
        for (int x = 0; x < opaqueTest.width(); ++x)
            if (qAlpha(line[x]) < 255)
                return picture; // it has its own alpha
    }
    const QImage maskPixels = mask.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < opaqueTest.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(opaqueTest.scanLine(y));
        const auto *coverage = reinterpret_cast<const QRgb *>(maskPixels.constScanLine(y));
        for (int x = 0; x < opaqueTest.width(); ++x)
            line[x] = qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), qGray(coverage[x]) * qAlpha(coverage[x]) / 255);
    }
    QImage result = opaqueTest.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    result.setDevicePixelRatio(picture.devicePixelRatio());
    return result;
}

QImage turnedHalfway(const QImage &picture)
{
    QImage turned = picture.transformed(QTransform().rotate(180));
    turned.setDevicePixelRatio(picture.devicePixelRatio());
    return turned;
}

bool isMarkSlot(int slot)
{
    return slot >= 67 && slot <= 90 && slot != 70 && (slot < 80 || slot > 87);
}

// The marks as (mask, picture) pairs; the painter draws the picture with its alpha.
constexpr std::pair<int, int> MarkPairs[] = {{74, CardPictures::RedCross},
                                             {73, CardPictures::GreenRing},
                                             {72, CardPictures::FoundationFrame},
                                             {76, CardPictures::Outline},
                                             {78, CardPictures::GreenArrow}};

// Our own art for every slot the loader leaves empty, drawn when first asked for: the same
// pictures a package gets from finishPackagePictures, so both paths show the same cards.
CardPictures::PictureSource programSource(QSize card, qreal ratio, const QImage &shape, bool alpha)
{
    return [card, ratio, shape, alpha](int slot) -> QImage {
        const auto mark = [&](int number) { return CardArt::Mark(number, card, ratio); };
        const auto markPicture = [&](int picture) {
            for (const auto &[mask, paired] : MarkPairs)
                if (paired == picture)
                    return withAlphaFromMask(mark(picture), mark(mask));
            return mark(picture);
        };
        if (slot >= 1 && slot <= 52)
            return cutToShape(CardArt::ProgramPicture(QString::number(slot), card, ratio), shape);
        if (slot == CardPictures::Joker)
            return cutToShape(CardArt::ProgramPicture(QStringLiteral("87"), card, ratio), shape);
        if (slot >= CardPictures::FirstBack && slot <= CardPictures::LastBack)
            return backOnCard(CardArt::ProgramPicture(QStringLiteral("BST%1").arg(slot), card, ratio), card, ratio,
                              shape);
        if (slot == CardPictures::InverseCardMask)
            return inverseOf(shape);
        if (slot == CardPictures::CompletedMark)
            return completedMark(shape);
        // With alpha blending the ring pair is the outline pair turned half way round.
        if (alpha && slot == 73)
            return turnedHalfway(mark(76));
        if (alpha && slot == CardPictures::GreenRing)
            return turnedHalfway(markPicture(CardPictures::Outline));
        if (isMarkSlot(slot))
            return markPicture(slot);
        return QImage();
    };
}

// A package's faces, backs and marks brought to the card shape and given alpha.
void finishPackagePictures(CardPictures &fresh, const QImage &shape, bool alpha)
{
    const QSize card(fresh.CardWidth(), fresh.CardHeight());
    const qreal ratio = shape.devicePixelRatio();
    for (int face = 1; face <= 52; ++face)
        fresh.SetPicture(face, cutToShape(fresh.Picture(face), shape));
    fresh.SetPicture(CardPictures::Joker, cutToShape(fresh.Picture(CardPictures::Joker), shape));
    for (int slot = CardPictures::FirstBack; slot <= CardPictures::LastBack; ++slot)
        fresh.SetPicture(slot, backOnCard(fresh.Picture(slot), card, ratio, shape));
    fresh.SetPicture(CardPictures::InverseCardMask, inverseOf(shape));
    fresh.SetPicture(CardPictures::CompletedMark, completedMark(shape));
    for (const auto &[mask, picture] : MarkPairs)
        fresh.SetPicture(picture, withAlphaFromMask(fresh.Picture(picture), fresh.Picture(mask)));
    if (alpha) {
        fresh.SetPicture(73, turnedHalfway(fresh.Picture(76)));
        fresh.SetPicture(CardPictures::GreenRing, turnedHalfway(fresh.Picture(CardPictures::Outline)));
    }
}

} // namespace

CardSets::CardSets(CardPictures &pictureTable, CardSetEnvironment setEnvironment)
    : table(pictureTable), environment(std::move(setEnvironment)), renderings(std::make_unique<DeckRenderings>())
{
    if (environment.DevicePixelRatio <= 0)
        environment.DevicePixelRatio = 1.0;
    if (!environment.RandomIndex)
        environment.RandomIndex = [](int count) { return int(QRandomGenerator::global()->bounded(qMax(1, count))); };
}

CardSets::~CardSets() = default;

QString CardSets::packagePath(int number) const
{
    const QString name = number == 0 ? QStringLiteral("sdeck.dll") : QStringLiteral("cdeck%1.dll").arg(number);
    return environment.ProgramFolder + QLatin1Char('/') + name;
}

bool CardSets::Offers(int sizeIndex) const
{
    return sizeIndex >= 0 && sizeIndex <= 2 && OfferedSizes()[static_cast<size_t>(sizeIndex)];
}

std::array<bool, 3> CardSets::OfferedSizes() const
{
    return offersAsDefaultSet ? DefaultOfferedSizes() : offers;
}

std::array<bool, 3> CardSets::DefaultOfferedSizes() const
{
    if (!defaultOffers) {
        std::array<bool, 3> result{false, true, false};
        CardSetPackage package;
        if (package.Open(packagePath(0))) {
            result[0] = package.OffersSize(0);
            result[2] = package.OffersSize(2);
        }
        defaultOffers = result;
    }
    return *defaultOffers;
}

bool CardSets::LoadSet(int newSet, int newSize, QSize newExactCard)
{
    newSet = qMax(0, newSet);
    newSize = qBound(0, newSize, 2);
    // A card too small to draw or absurdly large is not asked for; the size index decides.
    if (newExactCard.width() < 8 || newExactCard.height() < 8 || newExactCard.width() > 1024
        || newExactCard.height() > 1024)
        newExactCard = QSize();
    if (newSet >= 1 && environment.ColourDepth <= 8) {
        // The desktop's decks are full-colour pictures.
        CardSetPackage package;
        const bool desktopDeck = newSet >= DesktopDecks::FirstNumber;
        if (desktopDeck || (package.Open(packagePath(newSet)) && package.RequiredDepth() > 8)) {
            if (environment.Inform)
                environment.Inform(ColourDepthMessage);
            newSet = 0;
        }
    }
    if (loaded && newSet == set && newSize == size && newExactCard == exactCard && !firstLook)
        return false;

    const int previousSet = loaded ? set : -1;
    set = newSet;
    size = newSize;
    exactCard = newExactCard;
    loaded = true;

    CardPictures fresh;
    programArt = false;
    firstLook = false;
    bool complete = false;
    // The default set is our own art, drawn sharp at whatever size is asked; "sdeck.dll" only
    // tells which of the fixed sizes besides the normal one it offers.
    if (set == 0 && (size == CardSizing::Normal || exactCard.isValid() || DefaultOfferedSizes()[size_t(size)]))
        complete = loadProgramSet(fresh, exactCard.isValid() ? exactCard : CardArt::NominalCardSize(size));
    else if (set == 0)
        complete = false;
    else if (set >= DesktopDecks::FirstNumber && set - DesktopDecks::FirstNumber < desktopDecks().size())
        complete = loadDesktopDeck(fresh, desktopDecks()[set - DesktopDecks::FirstNumber],
                                   exactCard.isValid() ? exactCard : CardArt::NominalCardSize(size));
    else if (set < DesktopDecks::FirstNumber)
        complete = loadPackage(fresh, packagePath(set));
    if (complete && exactCard.isValid() && set != 0 && set < DesktopDecks::FirstNumber)
        stretchTo(fresh, exactCard);
    if (!complete) {
        set = 0;
        size = CardSizing::Normal;
        fresh = CardPictures();
        programArt = false;
        loadProgramSet(fresh, exactCard.isValid() ? exactCard : CardArt::NominalCardSize(size));
    }
    setChanged = set != previousSet;
    finishLoad(fresh);
    return true;
}

const QList<DesktopDeck> &CardSets::desktopDecks() const
{
    if (!decks)
        decks = std::make_unique<QList<DesktopDeck>>(DesktopDecks::Find(
            environment.DeckFolders.isEmpty() ? DesktopDecks::SearchFolders() : environment.DeckFolders));
    return *decks;
}

bool CardSets::DrawingDeck() const
{
    return firstLook;
}

// A desktop deck drawn at exactly the card size and screen ratio, over our own marks, backs
// and joker where the deck has none; its back is the set's own (back 13).
bool CardSets::loadDesktopDeck(CardPictures &fresh, const DesktopDeck &deck, QSize card)
{
    const qreal ratio = environment.DevicePixelRatio;
    const RenderedDeck *drawn = renderings->Find(deck.SvgFile, card, ratio);
    if (!drawn && DeckRendered) {
        renderings->Request(deck.SvgFile, card, ratio, DeckRendered);
        drawn = renderings->AnySize(deck.SvgFile);
        firstLook = true;
    } else if (!drawn) {
        drawn = &renderings->RenderNow(deck.SvgFile, card, ratio);
    }
    loadProgramSet(fresh, card);
    offers = {true, true, true};
    // Until the first drawing is ready the table shows the default set under the deck's number.
    if (!drawn)
        return true;
    if (!drawn->Ok)
        return false;
    const QImage shape = shapeFromMask(fresh.Picture(CardPictures::CardMask));
    for (int face = 1; face <= 52; ++face)
        fresh.SetPicture(face, cutToShape(fitted(drawn->Faces[size_t(face)], card, ratio), shape));
    if (!drawn->Joker.isNull())
        fresh.SetPicture(CardPictures::Joker, cutToShape(fitted(drawn->Joker, card, ratio), shape));
    fresh.SetPicture(CardPictures::LastBack, cutToShape(fitted(drawn->Back, card, ratio), shape));
    carriesSetBack = true;
    return true;
}

QList<CardSetInfo> CardSets::DesktopSets() const
{
    QList<CardSetInfo> sets;
    for (int index = 0; index < desktopDecks().size(); ++index) {
        const DesktopDeck &deck = desktopDecks()[index];
        CardSetInfo info;
        info.Number = DesktopDecks::FirstNumber + index;
        info.FileName = deck.Folder;
        info.Name = deck.Name;
        if (!deck.Comment.isEmpty())
            info.Description = deck.Comment.split(QLatin1Char('\n'));
        info.Sizes = {true, true, true};
        sets << info;
    }
    return sets;
}

bool CardSets::StepSize(int direction)
{
    const int target = qBound(0, size + (direction > 0 ? 1 : -1), 2);
    if (target == size || (set != 0 && !Offers(target)))
        return false;
    return LoadSet(set, target);
}

bool CardSets::loadProgramSet(CardPictures &fresh, QSize card)
{
    // Every picture but the card shape is drawn when first shown (finishLoad hands out the source).
    programArt = true;
    fresh.SetPicture(CardPictures::CardMask, CardArt::Mark(CardPictures::CardMask, card, environment.DevicePixelRatio));
    fresh.SetCardSize(card.width(), card.height());
    offersAsDefaultSet = true;
    carriesSetBack = true;
    return true;
}

// A package's pictures come at its fixed sizes; the cards and marks are stretched smoothly
// to the asked card (the foundation marks are drawn afresh by finishLoad).
void CardSets::stretchTo(CardPictures &fresh, QSize card) const
{
    const QSize loaded(fresh.CardWidth(), fresh.CardHeight());
    if (loaded == card)
        return;
    const qreal ratio = fresh.Picture(1).devicePixelRatio();
    for (int slot = 1; slot <= CardPictures::SlotCount; ++slot) {
        const QImage &picture = fresh.Picture(slot);
        if (picture.isNull())
            continue;
        // Alpha marks smaller than the card keep their size, as when they are loaded.
        if (slot >= CardPictures::RedealPicture && logicalSize(picture) != loaded)
            continue;
        fresh.SetPicture(slot, fitted(picture, card, ratio));
    }
    fresh.SetCardSize(card.width(), card.height());
}

bool CardSets::loadPackage(CardPictures &fresh, const QString &path)
{
    CardSetPackage package;
    if (!package.Open(path))
        return false;
    offersAsDefaultSet = false;
    for (int index = 0; index < 3; ++index)
        offers[static_cast<size_t>(index)] = package.OffersSize(index);
    if (set == 0)
        offers[CardSizing::Normal] = true;
    const int base = CardSetPackage::SizeBase[static_cast<size_t>(size)];

    // Faces fix the card size; a face of another size makes the set unusable.
    QImage first = package.Picture(base + 1, environment.DevicePixelRatio);
    if (first.isNull())
        return false;
    const QSize card = logicalSize(first);
    const qreal ratio = first.devicePixelRatio();
    if (card.width() < 8 || card.height() < 8 || card.width() > 1024 || card.height() > 1024)
        return false;
    for (int face = 1; face <= 52; ++face) {
        const QImage picture = face == 1 ? first : package.Picture(base + face, environment.DevicePixelRatio);
        if (picture.isNull() || logicalSize(picture) != card)
            return false;
        fresh.SetPicture(face, fitted(picture, card, ratio));
    }

    bool incomplete = false;
    const QImage joker = package.Picture(base + JokerOffset, environment.DevicePixelRatio);
    if (joker.isNull())
        incomplete = true;
    else
        fresh.SetPicture(CardPictures::Joker, fitted(joker, card, ratio));

    std::vector<int> missingMarks;
    for (int slot = 67; slot <= 90; ++slot) {
        if (!isMarkSlot(slot))
            continue;
        const QImage picture = package.Picture(base + slot, environment.DevicePixelRatio);
        if (!picture.isNull()) {
            fresh.SetPicture(slot, slot >= 88 ? alphaMarkForCard(picture, card, ratio) : fitted(picture, card, ratio));
            continue;
        }
        if (slot >= 88) {
            // The alpha marks come from "sdeck.dll" or else from the program's own pictures.
            QImage fallback;
            CardSetPackage standard;
            if (standard.Open(packagePath(0))) {
                fallback = standard.Picture(CardSetPackage::SizeBase[2] + slot, environment.DevicePixelRatio);
                if (fallback.isNull())
                    fallback = standard.Picture(CardSetPackage::SizeBase[0] + slot, environment.DevicePixelRatio);
            }
            if (fallback.isNull())
                fallback = CardArt::ProgramPicture(QStringLiteral("BST%1").arg(slot), card, ratio);
            fresh.SetPicture(slot, alphaMarkForCard(fallback, card, ratio));
            continue;
        }
        incomplete = true;
        missingMarks.push_back(slot);
    }

    if (incomplete) {
        // Only a set of the standard card size can borrow the program's own pictures.
        if (card != CardArt::NominalCardSize(CardSizing::Normal))
            return false;
        for (int slot : missingMarks)
            fresh.SetPicture(slot, CardArt::ProgramPicture(QString::number(slot), card, ratio));
        if (joker.isNull())
            fresh.SetPicture(CardPictures::Joker, CardArt::ProgramPicture(QStringLiteral("87"), card, ratio));
    }

    // Backs the package lacks are the program's own of that slot.
    carriesSetBack = package.HasPicture(base + CardPictures::LastBack + 1);
    for (int slot = CardPictures::FirstBack; slot <= CardPictures::LastBack; ++slot) {
        const QImage back = package.Picture(base + slot + 1, environment.DevicePixelRatio);
        if (!back.isNull())
            fresh.SetPicture(slot, back);
        else
            fresh.SetPicture(slot, CardArt::ProgramPicture(QStringLiteral("BST%1").arg(slot), card, ratio));
    }
    fresh.SetCardSize(card.width(), card.height());
    return true;
}

void CardSets::finishLoad(CardPictures &fresh)
{
    const QSize card(fresh.CardWidth(), fresh.CardHeight());
    const qreal ratio = fresh.Picture(69).devicePixelRatio();
    const QImage shape = shapeFromMask(fitted(fresh.Picture(69), card, ratio));

    fresh.SetPicture(CardPictures::CardMask, shape);
    fresh.SetPicture(80, shape);
    const bool alpha = environment.ColourDepth > 8;
    fresh.SetAlphaBlending(alpha);
    // Faces and the joker get transparent corners; backs are laid on a white card first.
    if (programArt)
        fresh.SetPictureSource(programSource(card, ratio, shape, alpha));
    else
        finishPackagePictures(fresh, shape, alpha);

    fresh.SetBackdrops(CardArt::FoundationPicture(QStringLiteral("aeroball"), card, ratio),
                       CardArt::FoundationPicture(QStringLiteral("emptyvalue"), card, ratio));
    fresh.SetFoundationRankSource([card, ratio](int index) {
        return CardArt::FoundationPicture(CardArt::FoundationRankName(index), card, ratio);
    });

    // The window records scale with the size index, also when the cards follow the window, so
    // that a stored window size does not depend on how large the window was.
    const QSize scaleCard = exactCard.isValid() ? CardArt::NominalCardSize(size) : card;
    horizontalScale = CardSizing::HorizontalScale(scaleCard);
    verticalScale = CardSizing::VerticalScale(scaleCard);

    fresh.SetCustomBack(QImage());
    table = fresh;
    if (!pictureBackFile.isEmpty() && !SetPictureBack(pictureBackFile, pictureBackHidesBorder))
        pictureBackFile.clear();
}

bool CardSets::BackFollowsSet(bool setChanged, bool resetToDefaultBack, bool setCarriesBack, int currentBack,
                              bool startupFinished)
{
    return setChanged && resetToDefaultBack && setCarriesBack && currentBack != 13 && startupFinished;
}

bool CardSets::SetPictureBack(const QString &file, bool hideBorder)
{
    const QSize card(table.CardWidth(), table.CardHeight());
    const qreal ratio = table.Picture(69).isNull() ? environment.DevicePixelRatio : table.Picture(69).devicePixelRatio();
    const QImage picture = QFileInfo(file).isFile() ? PictureFile::Read(file, pixelSize(card, ratio)) : QImage();
    if (picture.isNull()) {
        ClearPictureBack();
        return false;
    }
    const QImage shapeSource = table.Picture(80).isNull() ? CardArt::CardShape(card, ratio) : table.Picture(80);
    QImage back = cutToShape(fitted(picture, card, ratio), shapeFromMask(fitted(shapeSource, card, ratio)));
    if (!hideBorder) {
        const QImage border = table.Picture(79).isNull() ? CardArt::Mark(79, card, ratio) : table.Picture(79);
        QPainter painter(&back);
        painter.setCompositionMode(QPainter::CompositionMode_Multiply);
        painter.drawImage(QRectF(QPointF(0, 0), QSizeF(card)), border);
    }
    table.SetCustomBack(back);
    pictureBackFile = file;
    pictureBackHidesBorder = hideBorder;
    return true;
}

void CardSets::ClearPictureBack()
{
    table.SetCustomBack(QImage());
    pictureBackFile.clear();
}

QString CardSets::BuiltInBackFolder() const
{
    return environment.ProgramFolder + QStringLiteral("/Decks");
}

QString CardSets::CustomBackFolder() const
{
    if (!environment.UserFolder.isEmpty())
        return environment.UserFolder + QStringLiteral("/Decks");
    return environment.ProgramFolder + QStringLiteral("/Custom Decks");
}

std::optional<CardSetInfo> CardSets::ReadSetInfo(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    if (!name.startsWith(QLatin1String("cdeck"), Qt::CaseInsensitive))
        return std::nullopt;
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    const QString digits = name.mid(5, dot < 0 ? -1 : dot - 5);
    bool numeric = !digits.isEmpty() && digits.size() <= 6;
    for (QChar character : digits)
        numeric = numeric && character >= QLatin1Char('0') && character <= QLatin1Char('9');
    // Numbers from the first desktop deck's on belong to the desktop's decks.
    if (!numeric || digits.toInt() < 1 || digits.toInt() >= DesktopDecks::FirstNumber)
        return std::nullopt;
    CardSetPackage package;
    if (!package.Open(path))
        return std::nullopt;
    CardSetInfo info;
    info.Number = digits.toInt();
    info.FileName = name;
    info.Name = package.String(CardSetPackage::NameString);
    if (info.Name.isEmpty())
        return std::nullopt;
    for (int id : {CardSetPackage::DescriptionString, CardSetPackage::DescriptionString2,
                   CardSetPackage::DescriptionString3}) {
        const QString line = package.String(id);
        if (!line.isEmpty())
            info.Description << line;
    }
    info.Depth = package.RequiredDepth();
    for (int index = 0; index < 3; ++index)
        info.Sizes[static_cast<size_t>(index)] = package.OffersSize(index);
    return info;
}

QList<CardSetInfo> CardSets::InstalledSets() const
{
    QList<CardSetInfo> sets;
    const QDir folder(environment.ProgramFolder);
    const QStringList files =
        folder.entryList({QStringLiteral("cdeck*.dll")}, QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
    for (const QString &file : files)
        if (std::optional<CardSetInfo> info = ReadSetInfo(folder.filePath(file)))
            sets << *info;
    return sets;
}

bool CardSets::ChooseRandomSet()
{
    if (environment.ColourDepth <= 8)
        return false;
    QList<int> candidates{0};
    for (const CardSetInfo &info : InstalledSets() + DesktopSets())
        if (info.Sizes[static_cast<size_t>(size)] && !candidates.contains(info.Number))
            candidates << info.Number;
    const int pick = qBound(0, environment.RandomIndex(int(candidates.size())), int(candidates.size()) - 1);
    if (candidates[pick] == set)
        return false;
    return LoadSet(candidates[pick], size, exactCard);
}

QString CardSets::ChooseRandomBack(bool hideBorder)
{
    QStringList files;
    for (const QString &folder : {BuiltInBackFolder(), CustomBackFolder()}) {
        QDirIterator walk(folder, QDir::Files, QDirIterator::Subdirectories);
        while (walk.hasNext())
            files << walk.next();
    }
    if (files.isEmpty())
        return QString();
    files.sort();
    const QString file = files[qBound(0, environment.RandomIndex(int(files.size())), int(files.size()) - 1)];
    return SetPictureBack(file, hideBorder) ? file : QString();
}
