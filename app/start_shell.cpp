#include "app/start_shell.h"

#include "app/game_picture.h"
#include "app/player_dialogs.h"
#include "app/program_session.h"
#include "app/start_table.h"
#include "app/tarnwick_application.h"
#include "games/catalogue.h"
#include "games/game_table.h"
#include "games/new_game.h"
#include "store/player_shortcuts.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMessageBox>
#include <QStatusBar>

StartShell::StartShell(ProgramSession &session, const GameDeals &deals) : session(session)
{
    DataStore &data = session.Data();
    currentGameId = data.settings.Cards.Game;
    window = std::make_unique<StartWindow>();
    window->SetDataStore(&data);
    pictures = std::make_unique<GamePictureMaker>(deals, nullptr);
    gameDialog = std::make_unique<TGameDlg>(*this, pictures.get(), window.get());
    gameDialog->SetGameType(data.settings.Cards.Group);
    // A game is offered once its deal has landed.
    gameDialog->SetDealAvailable([&deals](int baseGameId) { return deals.Has(baseGameId); });
    shortcuts = std::make_unique<PlayerShortcuts>(data.locations.desktopFolder, QCoreApplication::applicationFilePath());

    playerPanel = new QLabel;
    playerPanel->setObjectName(QStringLiteral("PlayerPanel"));
    playerPanel->installEventFilter(this);
    window->statusBar()->addWidget(playerPanel);
    showPlayer();
    connect(gameDialog.get(), &TGameDlg::StartSelection, this, &StartShell::SelectSolitaire);
}

StartShell::~StartShell()
{
    // The dialog is a child of the window: it goes first.
    gameDialog.reset();
}

QWidget *StartShell::Window()
{
    return window.get();
}

void StartShell::showPlayer()
{
    playerPanel->setText(QStringLiteral("Player: ") + session.Data().statistics.Players.current().Name);
}

bool StartShell::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == playerPanel && event->type() == QEvent::MouseButtonDblClick) {
        EditPlayers();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void StartShell::EditPlayers()
{
    DataStore &data = session.Data();
    PlayerListContext context;
    context.players = &data.statistics.Players;
    context.today = data.statistics.today();
    context.log = &data.log;
    context.shortcuts = shortcuts.get();
    PlayerListDialog dialog(context, data.statistics.Players.current().Name, window.get());
    connect(&dialog, &PlayerListDialog::PlayersChanged, this, &StartShell::showPlayer);
    dialog.exec();
}

void StartShell::BringToFront()
{
    if (window->isMinimized())
        window->showNormal();
    window->show();
    window->raise();
    window->activateWindow();
}

void StartShell::CloseWithoutConfirmation()
{
    // A modal dialog has its own event loop; closing every window ends them all.
    QCoreApplication::exit(0);
}

void StartShell::SelectSolitaire()
{
    const int chosen = gameDialog->Choose();
    session.Data().settings.Cards.Group = gameDialog->GameType();
    if (chosen < 0)
        return;
    currentGameId = chosen;
    session.Data().settings.Cards.Game = chosen;
    gameDialog->Groups.AddToRecentlyPlayed(chosen);
    // The game on the table stays the previous game until the new one is dealt.
    GameTable &table = window->Table();
    table.PreviousGameId = table.CurrentGameId;
    table.CurrentGameId = chosen;
    Q_EMIT GameChosen(chosen);
    window->Session().NewGame();
    // A game without a deal of its own is dealt by a stand-in and becomes that game.
    currentGameId = table.CurrentGameId;
}

void StartShell::ApplyCommandLine()
{
    const CommandLineChoice &choice = session.CommandLine;
    if (!choice.playerName.isEmpty() && session.Data().statistics.Players.choose(choice.playerName))
        showPlayer();
    savedGameToOpen = choice.fileName;
}

bool StartShell::AutoplayOn(int gameId) const
{
    const GameWindowRecord *record = session.Data().windowRecords.record(gameId);
    return !record || record->autoplayOn();
}

void StartShell::SetAutoplayOn(int gameId, bool on)
{
    if (GameWindowRecord *record = session.Data().windowRecords.record(gameId))
        record->AutoplayOff = on ? 0 : 1;
}

void StartShell::ShowRules(int gameId)
{
    QMessageBox::information(gameDialog->isVisible() ? static_cast<QWidget *>(gameDialog.get()) : window.get(),
                             QString::fromLatin1(ProgramTitle),
                             QStringLiteral("The rules of %1 are not in this build yet.").arg(GameName(gameId)));
}

bool StartShell::ConfirmOnDeleteGame() const
{
    return session.Data().settings.Cards.Confirm_On_Delete_Game;
}

void StartShell::SetConfirmOnDeleteGame(bool on)
{
    session.Data().settings.Cards.Confirm_On_Delete_Game = on;
}
