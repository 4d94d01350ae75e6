#include "main_window_fixture.h"

#include "app/game_session.h"
#include "engine/Cardscmp.h"
#include "games/catalogue.h"
#include "games/game_table.h"
#include "store/won_figures.h"

#include <QCursor>
#include <QDir>
#include <QTest>

MainWindowFixture::MainWindowFixture(bool create)
{
    engineState() = EngineState{};
    now = QDateTime(QDate(2024, 3, 1), QTime(12, 0));
    engineState().Now = [this] { return now; };
    locations.configFolder = folder.filePath(QStringLiteral("config"));
    locations.dataFolder = folder.filePath(QStringLiteral("data"));
    QDir().mkpath(locations.configFolder);
    registerDealtGames(deals);
    if (create)
        Create();
}

MainWindowFixture::~MainWindowFixture()
{
    DestroyWindow();
    engineState() = EngineState{};
}

TMain_F &MainWindowFixture::Create()
{
    session = std::make_unique<ProgramSession>(locations, display);
    MainFormPrompts prompts;
    prompts.confirm = [this](const QString &text, const QString &caption) {
        questions << caption + QStringLiteral(": ") + text;
        return confirmAnswer;
    };
    prompts.inform = [this](const QString &text) { questions << QStringLiteral("inform: ") + text; };
    prompts.warn = [this](const QString &text) { questions << QStringLiteral("warn: ") + text; };
    prompts.wait = [this](int milliseconds) {
        waits << milliseconds;
        if (onWait)
            onWait(milliseconds);
    };
    prompts.wonDialog = [this](const QString &gameName, const WonFigures &figures) {
        wonGames << gameName;
        wonDuration = figures.duration;
        return wonAnswer;
    };
    prompts.cursorPosition = [this] { return cursor ? *cursor : QCursor::pos(); };
    window = std::make_unique<TMain_F>(*session, deals, prompts);
    return *window;
}

void MainWindowFixture::DestroyWindow()
{
    window.reset();
}

void MainWindowFixture::DealKlondike(quint32 number)
{
    window->Board1->Animate = false;
    engineState().Options.FlipEnabled = false;
    GameTable &table = window->Table();
    table.CurrentGameId = GameIds::Klondike;
    window->ApplyGameSettings(GameIds::Klondike);
    window->Session().GameNumber = number;
    window->Session().RestartGame();
}

void MainWindowFixture::FinishGame()
{
    GameTable &table = window->Table();
    for (int suit = 1; suit <= 4; ++suit)
        for (int rank = 1; rank <= 13; ++rank) {
            TCard *card = table.Card((suit - 1) * 13 + rank - 1);
            if (TDeck *pile = card->HostDeck())
                pile->RemoveCard(card);
            card->SetFace(true);
            table.Foundations[suit]->AddCard(card);
        }
}

bool MainWindowFixture::ShowActive()
{
    window->setWindowState(Qt::WindowNoState);
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window.get());
}
