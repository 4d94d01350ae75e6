#include "app/game_picture.h"

#include "engine/Cardscmp.h"
#include "games/catalogue.h"
#include "games/game_definitions.h"
#include "games/game_table.h"
#include "games/table_builders.h"
#include "look/card_sets.h"
#include "look/card_sizing.h"

#include <QPainter>
#include <algorithm>

void GameDeals::Set(int baseGameId, GameDeal deal)
{
    if (deal)
        deals_[baseGameId] = std::move(deal);
    else
        deals_.erase(baseGameId);
}

bool GameDeals::Has(int baseGameId) const
{
    return deals_.count(baseGameId) != 0;
}

const GameDeal *GameDeals::Find(int baseGameId) const
{
    const auto found = deals_.find(baseGameId);
    return found == deals_.end() ? nullptr : &found->second;
}

GamePictureMaker::GamePictureMaker(const GameDeals &deals, const CustomGameSource *customs, const CardSets *programSets)
    : deals_(deals), customs_(customs), programSets_(programSets)
{
}

GamePictureMaker::~GamePictureMaker()
{
    // The table's piles and cards belong to the board; forget them before it goes.
    if (table_)
        table_->ForgetPiles();
    table_.reset();
    board_.reset();
}

void GamePictureMaker::ClearCache()
{
    cache_.clear();
    smallSets_.reset();
    smallPictures_.reset();
}

void GamePictureMaker::dealShuffledPacks(int baseGameId)
{
    const GameDefinition *game = FindGameDefinition(baseGameId);
    const int packs = game ? game->packs : 1;
    TDeck *pack = board_->NewDeck();
    pack->SetHostBoard(board_.get());
    pack->SetVLeft(10);
    pack->SetVTop(10);
    FillPack(*table_, pack, 52 * packs);
    // Seven rows of cards drawn as a deal draws them, the rest left in the pack.
    for (int row = 0; row < 7; ++row) {
        TDeck *fan = board_->NewDeck();
        fan->SetHostBoard(board_.get());
        fan->SetVLeft(95 + 85 * row);
        fan->SetVTop(10);
        fan->SetVShift(20);
        for (int i = 0; i <= row; ++i)
            fan->DealCard(pack, table_->Random.RandomIndex(pack->CardsCount()), i == row);
    }
}

void GamePictureMaker::dealTable(int gameId)
{
    if (!board_) {
        board_ = std::make_unique<TBoard>();
        board_->Animate = false;
        board_->Recording = false;
        table_ = std::make_unique<GameTable>(board_.get());
        table_->Customs = customs_;
    }
    TBoard &board = *board_;
    table_->ForgetPiles();
    board.FreeDecks();
    for (const auto &card : board.Cards()) {
        card->SetVisible(false);
        card->SetFace(false);
    }
    board.IDCounter = 0;
    board.VerticalScale = board.HorizontalScale = 1.0;
    board.VerticalOffset = board.HorizontalOffset = 0;
    table_->CurrentGameId = gameId;
    table_->PreviousGameId = -1;
    table_->BaseGameId = BaseGameId(gameId, customs_);
    table_->Random.SetSeed(PictureGameNumber);
    if (const GameDeal *deal = deals_.Find(table_->BaseGameId))
        (*deal)(*table_);
    else
        dealShuffledPacks(table_->BaseGameId);
    board.Relayout();
}

QImage GamePictureMaker::paintTable(QSize size)
{
    TBoard &board = *board_;
    if (size.isEmpty())
        size = QSize(board.TableRight(), board.TableBottom());
    size = size.boundedTo(QSize(4000, 4000)).expandedTo(QSize(1, 1));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Background);
    QPainter painter(&image);
    board.Color = Background;
    board.PaintTable(painter, QRect(QPoint(0, 0), size));
    return image;
}

QImage GamePictureMaker::FullPicture(int gameId)
{
    dealTable(gameId);
    return paintTable();
}

QImage GamePictureMaker::smallPicture(QSize box)
{
    // The table grows with its cards but for its margin of fixed pixels: the largest cards
    // whose table, with the margin shrunk alike, fits the box are searched with a table of
    // sizes alone, then the player's set is made at that size.
    const CardPictures &shown = cardPictures();
    const double heightToWidth = double(shown.CardHeight()) / std::max(1, shown.CardWidth());
    const auto cardOfWidth = [&](int width) { return QSize(width, qRound(width * heightToWidth)); };
    const auto extent = [&](QSize card) {
        const int margin = TBoard::ExtentMargin - qRound(TBoard::ExtentMargin * double(card.width()) / std::max(1, shown.CardWidth()));
        return QSize(board_->TableRight() - margin, board_->TableBottom() - margin);
    };
    const auto fits = [&](QSize card) {
        CardPictures sizes;
        sizes.SetCardSize(card.width(), card.height());
        PicturesInUse measuring(sizes);
        board_->Relayout();
        const QSize size = extent(card);
        return size.width() <= box.width() && size.height() <= box.height();
    };
    int low = 8, high = shown.CardWidth();
    if (high < low || !fits(cardOfWidth(low)))
        return QImage();
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (fits(cardOfWidth(middle)))
            low = middle;
        else
            high = middle - 1;
    }
    const QSize card = cardOfWidth(low);
    if (!smallSets_ || smallSets_->CardDeck() != programSets_->CardDeck() || smallSets_->ExactCard() != card) {
        smallPictures_ = std::make_unique<CardPictures>();
        CardSetEnvironment environment = programSets_->Environment();
        environment.Inform = nullptr; // the table's own load has told the player already
        smallSets_ = std::make_unique<CardSets>(*smallPictures_, environment);
        smallSets_->LoadSet(programSets_->CardDeck(), CardSizing::Normal, card);
    }
    PicturesInUse small(*smallPictures_);
    board_->Relayout();
    return paintTable(extent(card));
}

QImage GamePictureMaker::Picture(int gameId, QSize box)
{
    box = box.expandedTo(QSize(1, 1));
    if (const auto found = cache_.find(gameId); found != cache_.end() && found->second.size() == box)
        return found->second;
    QImage result(box, QImage::Format_RGB32);
    result.fill(Background);
    QImage full;
    if (programSets_) {
        dealTable(gameId);
        full = smallPicture(box);
    }
    if (full.isNull())
        full = FullPicture(gameId);
    if (!full.isNull()) {
        const QImage scaled = full.width() > box.width() || full.height() > box.height()
            ? full.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation)
            : full;
        QPainter painter(&result);
        painter.drawImage((box.width() - scaled.width()) / 2, (box.height() - scaled.height()) / 2, scaled);
    }
    // Only the picture on show is kept: the next one is quick to draw with small cards.
    cache_.clear();
    cache_[gameId] = result;
    return result;
}
