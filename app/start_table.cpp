#include "app/start_table.h"

#include "engine/Cardscmp.h"
#include "look/card_sets.h"
#include "look/program_folder.h"

#include <QAction>
#include <QKeySequence>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <algorithm>
#include <vector>

StartWindow::~StartWindow() = default;

StartWindow::StartWindow(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Tarnwick"));
    CardSetEnvironment environment;
    environment.ProgramFolder = programFolder();
    environment.DevicePixelRatio = devicePixelRatioF();
    cardSets = std::make_unique<CardSets>(cardPictures(), environment);
    cardSets->LoadSet(0, 1);
    engineState().Options.CardMovement = DragAndClick;
    engineState().Options.HoverHighlight = true;
    scrollBox = new TBoardScrollBox(this);
    board = new TBoard;
    scrollBox->SetBoard(board);
    board->installEventFilter(this);
    setCentralWidget(scrollBox);
    resize(900, 600);

    auto *undo = new QAction(this);
    undo->setShortcut(QKeySequence::Undo);
    connect(undo, &QAction::triggered, this, [this] { board->Undo(); });
    addAction(undo);
    auto *redo = new QAction(this);
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    connect(redo, &QAction::triggered, this, [this] { board->Redo(); });
    addAction(redo);

    deal();
}

void StartWindow::deal()
{
    board->IDCounter = 0;
    TDeck *stock = board->NewDeck();
    stock->SetHostBoard(board);
    stock->SetShowEmpty(StockRedeal);
    stock->SetVLeft(10);
    stock->SetVTop(10);
    stock->SetVShift(2);
    stock->SetGShift(2);
    TDeck *waste = board->NewDeck();
    waste->SetHostBoard(board);
    waste->SetVLeft(95);
    waste->SetVTop(10);
    std::vector<TDeck *> columns;
    for (int i = 0; i < 7; ++i) {
        TDeck *column = board->NewDeck();
        column->SetHostBoard(board);
        column->SetVLeft(10 + 85 * i);
        column->SetVTop(125);
        column->SetVShift(20);
        column->SetVBShift(6);
        column->OnDragSelect = [](TCard *card, bool &action) { action = card->Face(); };
        column->OnAddWithRule = [](TDeck *, TCard *&, bool &action, bool) { action = true; };
        columns.push_back(column);
    }
    for (int i = 0; i < 4; ++i) {
        TDeck *foundation = board->NewDeck();
        foundation->SetHostBoard(board);
        foundation->SetShowEmpty(FoundationPile);
        foundation->SetVLeft(265 + 85 * i);
        foundation->SetVTop(10);
        foundation->SetCardVal(1);
        foundation->MaxCardCount = 13;
        foundation->OnAddWithRule = [](TDeck *, TCard *&card, bool &action, bool) {
            action = card == card->HostDeck()->TopCard();
        };
    }
    waste->OnAddWithRule = TBoard::RefuseAdd;

    std::vector<int> faces;
    for (int suit = 1; suit <= 4; ++suit)
        for (int rank = 1; rank <= 13; ++rank)
            faces.push_back(suit * 256 + rank);
    std::shuffle(faces.begin(), faces.end(), *QRandomGenerator::global());
    for (int i = 0; i < 52; ++i) {
        TCard *card = board->NewCard();
        card->CardID = i + 1;
        card->SetCardFace(faces[std::size_t(i)]);
        stock->AddCard(card);
    }
    for (int i = 0; i < 7; ++i)
        for (int j = i; j < 7; ++j)
            columns[std::size_t(j)]->DealCard(stock, 1, i == j);
    // A pile of every other role at the right: two free cells (one holding a card), a
    // raised reserve, and empty piles with the remaining marks.
    auto sidePile = [this](int left, int top, int role) {
        TDeck *deck = board->NewDeck();
        deck->SetHostBoard(board);
        deck->SetShowEmpty(role);
        deck->SetVLeft(left);
        deck->SetVTop(top);
        deck->MaxCardCount = role == FreeCellPile ? 1 : -1;
        deck->OnAddWithRule = [](TDeck *, TCard *&, bool &action, bool) { action = true; };
        return deck;
    };
    sidePile(620, 10, FreeCellPile)->DealCard(stock, 1, true);
    sidePile(705, 10, FreeCellPile);
    TDeck *reserve = sidePile(620, 125, OutlineMark);
    reserve->SetFlatPile(false);
    for (int i = 0; i < 3; ++i)
        reserve->DealCard(stock, 1, i == 2);
    sidePile(705, 125, OutlineMark);
    sidePile(620, 240, SecondPlainMark);
    sidePile(705, 240, StockNoRedeal);
    board->ShowEmptyOutline = true;
    board->ShowFinished = true;
    // After a move the card left on top of a column turns up.
    for (TDeck *column : columns)
        column->OnAfterMove = [](TDeck *source, TDeck *, TCard *) {
            if (source->TopCard() && !source->TopCard()->Face() && source->IsSpread())
                source->TopCard()->SetFace(true);
        };
    this->stock = stock;
    this->waste = waste;
    board->ClearJournal();
    board->Relayout();
}

bool StartWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == board && event->type() == QEvent::MouseButtonPress) {
        const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
        if (stock->BoundsRect().contains(at)) {
            if (TCard *top = stock->TopCard()) {
                board->BeginMoveGroup();
                waste->MoveCard(top);
                top->SetFace(true);
                board->EndMoveGroup();
            } else {
                stock->TakeAllFrom(waste, true);
            }
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
