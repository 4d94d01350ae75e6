#include "app/game_picture.h"

#include "engine/Cardscmp.h"
#include "games/catalogue.h"
#include "games/game_definitions.h"
#include "games/game_table.h"
#include "games/table_builders.h"

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

GamePictureMaker::GamePictureMaker(const GameDeals &deals, const CustomGameSource *customs)
    : deals_(deals), customs_(customs)
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

QImage GamePictureMaker::FullPicture(int gameId)
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

    const QSize size(std::clamp(board.TableRight(), 1, 4000), std::clamp(board.TableBottom(), 1, 4000));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Background);
    {
        QPainter painter(&image);
        board.Color = Background;
        board.PaintTable(painter, QRect(QPoint(0, 0), size));
    }
    return image;
}

QImage GamePictureMaker::Picture(int gameId, QSize box)
{
    box = box.expandedTo(QSize(1, 1));
    if (const auto found = cache_.find(gameId); found != cache_.end() && found->second.size() == box)
        return found->second;
    QImage result(box, QImage::Format_RGB32);
    result.fill(Background);
    const QImage full = FullPicture(gameId);
    if (!full.isNull()) {
        const QImage scaled = full.width() > box.width() || full.height() > box.height()
            ? full.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation)
            : full;
        QPainter painter(&result);
        painter.drawImage((box.width() - scaled.width()) / 2, (box.height() - scaled.height()) / 2, scaled);
    }
    cache_[gameId] = result;
    return result;
}
