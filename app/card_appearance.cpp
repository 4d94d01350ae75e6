#include "app/card_appearance.h"

#include "engine/board.h"
#include "engine/card.h"
#include "engine/engine_state.h"
#include "games/game_definitions.h"
#include "games/game_table.h"
#include "look/art/card_art.h"
#include "look/card_sizing.h"
#include "store/settings.h"

#include <QDir>
#include <QTimer>
#include <QFileInfo>

CardAppearance::CardAppearance(CardsSettings &cardsSettings, CardSetEnvironment environment, GameTable &gameTable)
    : settings(cardsSettings), sets(cardPictures(), std::move(environment)), table(gameTable)
{
    // A desktop deck is drawn off the interface thread; once ready it replaces the first look.
    sets.DeckRendered = [this] {
        if (!sets.DrawingDeck())
            return;
        // Not under a moving or dragged card: the new pictures come once it has landed.
        TBoard *board = table.Board();
        if (engineState().Busy || board->Moving || board->IsDragging()) {
            QTimer::singleShot(50, board, [this] { sets.DeckRendered(); });
            return;
        }
        load(sets.CardDeck(), sets.CardSize(), sets.ExactCard());
        // A deck that could not be drawn is on record as the set loaded in its place.
        settings.CardDeck = sets.CardDeck();
        if (!sets.DrawingDeck() && sets.CardDeck() == 0)
            settings.CardSize = sets.CardSize();
    };
}

QSize CardAppearance::ScaledCardFor(int baseGameId, QSize area) const
{
    return CardSizing::ScaledCard(NominalTableSize(baseGameId), area);
}

CardScaleFactors CardAppearance::WindowScaleFactors() const
{
    return {sets.HorizontalScale(), sets.VerticalScale()};
}

bool CardAppearance::load(int set, int size, QSize exactCard)
{
    const int backBefore = settings.Back;
    if (!sets.LoadSet(set, size, exactCard))
        return false;
    if (CardSets::BackFollowsSet(sets.LastLoadChangedSet(), settings.ResetToDefualtBack, sets.CarriesSetBack(),
                                 settings.Back, started))
        settings.Back = 13;
    picturesReloaded();
    if (settings.Back != backBefore)
        setBackOnEveryCard(settings.Back);
    return true;
}

void CardAppearance::LoadAtStart(int baseGameId, QSize area)
{
    const QSize exact = settings.ScaleCards ? ScaledCardFor(baseGameId, area) : QSize();
    sets.LoadSet(settings.CardDeck, settings.CardSize, exact);
    // A set that could not be used is on record as the one loaded in its place.
    settings.CardDeck = sets.CardDeck();
    settings.CardSize = sets.CardSize();
    picturesReloaded();
    ApplyBack();
    started = true;
}

void CardAppearance::PrepareForDeal(int baseGameId, QSize area, QSize screen)
{
    if (settings.RandomCardSet && sets.ChooseRandomSet()) {
        if (CardSets::BackFollowsSet(true, settings.ResetToDefualtBack, sets.CarriesSetBack(), settings.Back, started))
            settings.Back = 13;
        picturesReloaded();
    }
    if (settings.RandomCardBack) {
        const QString file = sets.ChooseRandomBack(settings.CustBackStyle == 1);
        if (!file.isEmpty()) {
            settings.Back = CardSets::PictureBack;
            settings.CustBackFile = file;
        }
    }

    LoadChosenSet(sets.CardDeck(), baseGameId, area, screen);
    ApplyBack();
}

void CardAppearance::LoadChosenSet(int set, int baseGameId, QSize area, QSize screen)
{
    if (settings.ScaleCards) {
        load(set, sets.CardSize(), ScaledCardFor(baseGameId, area));
    } else if (settings.AutoCardSizing) {
        // The sizes a new set offers are known once it is loaded.
        if (set != sets.CardDeck())
            load(set, settings.CardSize, QSize());
        // Automatic sizing starts again from the player's own size at every game.
        const double heightToWidth = double(cardPictures().CardHeight()) / qMax(1, cardPictures().CardWidth());
        const CardSizing::Choice choice =
            CardSizing::ChooseCardSize(settings.CardSize, sets.CardDeck(), NominalTableSize(baseGameId),
                                       screen, heightToWidth, sets.OfferedSizes(), sets.DefaultOfferedSizes());
        load(choice.set, choice.size, QSize());
    } else {
        load(set, settings.CardSize, QSize());
    }
}

bool CardAppearance::FollowArea(int baseGameId, QSize area)
{
    if (!settings.ScaleCards)
        return false;
    return load(sets.CardDeck(), sets.CardSize(), ScaledCardFor(baseGameId, area));
}

bool CardAppearance::StepSize(int direction)
{
    // While the cards follow the window, the window decides their size.
    if (settings.ScaleCards || !sets.StepSize(direction))
        return false;
    settings.CardSize = sets.CardSize();
    picturesReloaded();
    return true;
}

QString CardAppearance::ResolveBackFile(QString file, const QString &builtInBackFolder)
{
    // A stored name may be relative to the program folder and written with backslashes.
    file.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!file.isEmpty() && QFileInfo(file).isRelative())
        file = QDir(builtInBackFolder).filePath(QStringLiteral("../") + file);
    return QDir::cleanPath(file);
}

QString CardAppearance::backFile() const
{
    return ResolveBackFile(settings.CustBackFile, sets.BuiltInBackFolder());
}

void CardAppearance::ApplyBack()
{
    if (settings.Back == CardSets::PictureBack) {
        const QString file = backFile();
        const bool hideBorder = settings.CustBackStyle == 1;
        const bool ready = sets.PictureBackFile() == file && !cardPictures().CustomBack().isNull();
        if (!ready && !sets.SetPictureBack(file, hideBorder))
            settings.Back = 1;
    } else if (settings.Back < 1 || settings.Back > 13) {
        settings.Back = 1;
    }
    setBackOnEveryCard(settings.Back);
}

void CardAppearance::setBackOnEveryCard(int back)
{
    for (int index = 0; index < GameTable::CardCount; ++index)
        if (TCard *card = table.Card(index); card->CardBack() != back)
            card->SetCardBack(back);
    table.Board()->update();
}

void CardAppearance::picturesReloaded()
{
    TBoard *board = table.Board();
    board->SetShadowStyle(board->ShadowStyle());
    // Every card takes its pictures again at the new size: the face-up ones through their
    // faces, the face-down ones through their backs.
    if (ReapplySuits)
        ReapplySuits();
    for (int index = 0; index < GameTable::CardCount; ++index) {
        TCard *card = table.Card(index);
        card->SetCardBack(card->CardBack());
    }
    if (PicturesChanged)
        PicturesChanged();
}
