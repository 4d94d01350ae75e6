// Saved games and snapshots in the main window: "&Open Game...", "Sa&ve Game", "Save &As...",
// the automatic save at close and its reopening at start, the copy of every won game, a file
// handed over by a second start, and "&Create Snapshot" / "Re&store Snapshot".
#include "app/Mainform.h"

#include "app/game_session.h"
#include "app/program_session.h"
#include "app/tarnwick_application.h"
#include "engine/Cardscmp.h"
#include "games/auto_moves.h"
#include "games/catalogue.h"
#include "games/game_table.h"
#include "games/new_game.h"
#include "store/binary_stream.h"
#include "store/saved_game_file.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QScrollBar>
#include <QTimer>

namespace {

inline constexpr char CannotOpenFile[] = "Cannot open file ";
inline constexpr char CannotOpenSavedGame[] = "Cannot open saved game.";
inline constexpr char SavedGameFilter[] = "Tarnwick saved game (*.qel)";
// A redo that leaves the position where it was this many times in a row has stalled.
constexpr int StalledRedoLimit = 50;

std::vector<JournalEntry> journalOf(const SavedGame &game)
{
    std::vector<JournalEntry> entries;
    entries.reserve(game.Journal.size());
    for (const SavedGame::Record &record : game.Journal)
        entries.push_back(JournalEntry::Decode(record.data()));
    return entries;
}

} // namespace

// While a journal is replayed: no flights, no sounds, no input, no scroll bars, no clock.
class TMain_F::ReplayScope {
public:
    explicit ReplayScope(TMain_F &window)
        : window(window), animate(window.Board1->Animate),
          horizontal(window.ScrollBox1->horizontalScrollBarPolicy()),
          vertical(window.ScrollBox1->verticalScrollBarPolicy()), clock(window.TimeTimer->isActive())
    {
        window.TimeTimer->stop();
        window.ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        window.ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        window.Board1->setEnabled(false);
        window.Board1->Replaying = true;
        window.Board1->Animate = false;
        window.replaying = true;
    }
    ~ReplayScope()
    {
        window.replaying = false;
        window.Board1->Replaying = false;
        window.Board1->Animate = animate;
        window.Board1->setEnabled(true);
        window.ScrollBox1->setHorizontalScrollBarPolicy(horizontal);
        window.ScrollBox1->setVerticalScrollBarPolicy(vertical);
        if (clock)
            window.TimeTimer->start();
        window.Board1->update();
    }
    ReplayScope(const ReplayScope &) = delete;
    ReplayScope &operator=(const ReplayScope &) = delete;

private:
    TMain_F &window;
    bool animate;
    Qt::ScrollBarPolicy horizontal, vertical;
    bool clock;
};

QString TMain_F::AutoSavePath() const
{
    return program.Data().locations.dataFile(QString::fromLatin1(DataFileName::AsgLpg));
}

QString TMain_F::savedGamesFolder() const
{
    const QString folder = program.Data().locations.savedGamesFolder();
    QDir().mkpath(folder);
    return folder;
}

void TMain_F::ForgetSavedGame()
{
    savedGamePath.clear();
    writeItemStates();
}

bool TMain_F::gameSavable() const
{
    return Board1->GameStarted() == 1 && session->GameDealt() && !session->Busy() && !session->WonSequenceRunning();
}

// --- saving ---

bool TMain_F::SaveGame(const QString &path, bool replay)
{
    const QDateTime now = engineState().Now();
    SavedGame game;
    game.GameId = table->CurrentGameId;
    game.GameNumber = session->GameNumber;
    game.Journal.reserve(Board1->Journal().size());
    for (const JournalEntry &entry : Board1->Journal())
        game.Journal.push_back(entry.Encode());
    // A replay copy starts from its first entry (from none when it has none).
    game.JournalPos = replay ? std::min(0, int(game.Journal.size()) - 1) : Board1->JournalPos;
    // The start is put back by the time played (pauses left out), so the clock goes on from it.
    game.StartTime = toDayNumber(now.addMSecs(-ElapsedMilliseconds()));
    game.SaveTime = toDayNumber(now);
    game.Replay = replay;
    game.MoveCount = Board1->MoveCount;
    try {
        writeSavedGame(path, game);
        return true;
    } catch (const FileError &) {
        return false;
    }
}

void TMain_F::saveChosenGame(const QString &path)
{
    if (SaveGame(path, false)) {
        savedGamePath = path;
        writeItemStates();
        return;
    }
    prompts.warn(QStringLiteral("Cannot save the game to %1").arg(QDir::toNativeSeparators(path)));
}

void TMain_F::SaveAs1Click()
{
    if (paused)
        Resume();
    if (!gameSavable())
        return;
    // A file the player chose is offered again; otherwise the game's own name in "Games".
    const QString offered = !savedGamePath.isEmpty() && savedGamePath != AutoSavePath()
                                ? savedGamePath
                                : QDir(savedGamesFolder()).filePath(
                                      defaultSavedGameName(GameName(table->CurrentGameId, table->Customs),
                                                           session->GameNumber));
    const QString chosen = withSavedGameExtension(prompts.chooseSavedGame(true, offered));
    if (chosen.isEmpty())
        return;
    saveChosenGame(chosen);
}

void TMain_F::SaveGame1Click()
{
    if (!gameSavable())
        return;
    if (savedGamePath.isEmpty())
        SaveAs1Click();
    else
        saveChosenGame(savedGamePath);
}

void TMain_F::SaveWonGame()
{
    // The copy of the game just won, replayed from its first move; it is no loss if it fails.
    // A game the demonstration played is not the player's.
    if (session->Demonstrated)
        return;
    SaveGame(QDir(savedGamesFolder()).filePath(QString::fromLatin1(WonGameCopyName)), true);
}

void TMain_F::saveOrRemoveAutomaticSave()
{
    const QString path = AutoSavePath();
    // A demonstrated game is not kept: opened again it would count as the player's.
    if (program.Data().settings.Cards.Save_On_Exit && gameSavable() && !session->Demonstrated) {
        program.Data().locations.createDataFolder();
        // The game goes on at the next start: it is not abandoned, so it is not counted now.
        if (SaveGame(path, false)) {
            savedGamePath = path;
            return;
        }
    } else if (QFile::exists(path)) {
        QFile::remove(path);
    }
    session->EndAbandonedGame();
}

// --- opening ---

bool TMain_F::knownGameId(int gameId) const
{
    if (IsBuiltInGameId(gameId))
        return DealRoutineFor(gameId) != nullptr;
    if (!IsCustomGameId(gameId) || !table->Customs || !table->Customs->CustomGame(CustomGameIndex(gameId)))
        return false;
    return DealRoutineFor(BaseGameId(gameId, table->Customs)) != nullptr;
}

void TMain_F::OpenGame1Click()
{
    if (paused)
        Resume();
    const QString start =
        !savedGamePath.isEmpty() && savedGamePath != AutoSavePath() ? savedGamePath : savedGamesFolder();
    const QString chosen = prompts.chooseSavedGame(false, start);
    if (chosen.isEmpty() || !confirmAbandoning())
        return;
    LoadGame(chosen);
}

bool TMain_F::confirmAbandoning()
{
    if (Board1->GameStarted() != 1 || !ConfirmNewGame())
        return true;
    const Confirmation answer =
        prompts.confirm(QStringLiteral("Do you want to start new game?"), QStringLiteral("Confirm New Game"));
    if (answer.DontShowAgain)
        SetConfirmNewGame(false);
    return answer.Ok;
}

void TMain_F::OpenHandedOverGame(const QString &path)
{
    BringToFront();
    if (session->Busy() || session->WonSequenceRunning() || engineState().Busy || Board1->Moving) {
        // Opened once the table is free again.
        QTimer::singleShot(100, this, [this, path] { OpenHandedOverGame(path); });
        return;
    }
    if (confirmAbandoning())
        LoadGame(path);
}

bool TMain_F::LoadGame(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        prompts.warn(QString::fromLatin1(CannotOpenFile) + QFileInfo(path).fileName());
        return false;
    }
    SavedGame game;
    try {
        game = readSavedGame(path);
    } catch (const std::exception &) {
        refuseSavedGame(false);
        return false;
    }
    if (!knownGameId(game.GameId)) {
        refuseSavedGame(false);
        return false;
    }
    std::vector<JournalEntry> entries = journalOf(game);

    // The same shuffle of the same game, dealt afresh.
    const bool restoredAtStart = session->RestoredAtStart;
    // A game left for another is counted under its own id.
    if (game.GameId != table->CurrentGameId)
        table->PreviousGameId = table->CurrentGameId;
    table->CurrentGameId = game.GameId;
    session->GameNumber = game.GameNumber;
    ApplyGameSettings(game.GameId);
    session->ReplayPending = true;
    session->NewGame();
    session->RestoredAtStart = false;
    session->ReplayPending = false;
    // A deal that did not happen (the table busy, a screen too small) leaves the old journal.
    if (!session->GameDealt() || Board1->GameStarted() != 0 || !Board1->Journal().empty()
        || table->CurrentGameId != game.GameId) {
        refuseSavedGame(true);
        return false;
    }
    session->CountsForStatistics = restoredAtStart;

    bool replayed = Board1->CanReplayJournal(entries, game.JournalPos);
    if (replayed) {
        ReplayScope scope(*this);
        Board1->SetJournal(std::move(entries), -1);
        replayed = replayJournalTo(game.JournalPos);
    }
    if (!replayed) {
        refuseSavedGame(true);
        return false;
    }

    Board1->SetGameStarted(1);
    // The clock goes on from the time the game had been played when it was saved.
    const QDateTime saved = fromDayNumber(game.SaveTime);
    const QDateTime started = fromDayNumber(game.StartTime);
    if (saved.isValid() && started.isValid() && started <= saved)
        Board1->SetStartTime(engineState().Now().addMSecs(-started.msecsTo(saved)));
    Board1->MoveCount = std::max(0, game.MoveCount);
    savedGamePath = path;
    openedGame = true;
    FitWindowToTable();
    RefreshStatus();
    writeItemStates();
    return true;
}

bool TMain_F::replayJournalTo(int position)
{
    int stalled = 0;
    while (Board1->JournalPos < position) {
        const int before = Board1->JournalPos;
        if (!Board1->Redo())
            return false;
        stalled = Board1->JournalPos == before ? stalled + 1 : 0;
        if (stalled >= StalledRedoLimit)
            return false;
    }
    // A step that runs past the position means the position lay inside it.
    return Board1->JournalPos == position;
}

void TMain_F::refuseSavedGame(bool tableChanged)
{
    if (tableChanged) {
        // Nothing of the half-opened game stays on the table.
        session->ClearTable();
        Board1->MoveCount = 0;
        Board1->SetScore(-1000);
        Board1->ClearJournal();
    }
    prompts.warn(QString::fromLatin1(CannotOpenSavedGame));
    // A game in progress that the file never touched is kept; otherwise a fresh deal.
    if (tableChanged || !session->GameDealt()) {
        session->ReplayPending = false;
        session->NewGame();
    }
}

void TMain_F::openGameAtStart()
{
    const CommandLineChoice &choice = program.CommandLine;
    if (!choice.fileName.isEmpty() && QFileInfo(choice.fileName).isFile()) {
        Board1->repaint();
        LoadGame(QFileInfo(choice.fileName).absoluteFilePath());
        return;
    }
    const QString automatic = AutoSavePath();
    if (!program.Data().settings.Cards.Save_On_Exit || !QFileInfo(automatic).isFile())
        return;
    session->RestoredAtStart = true;
    const bool loaded = LoadGame(automatic);
    session->RestoredAtStart = false;
    if (loaded) {
        QFile::remove(automatic);
        return;
    }
    // The game that could not be reopened is kept aside, not lost.
    const QString aside = automatic + QStringLiteral(".bad");
    QFile::remove(aside);
    QFile::rename(automatic, aside);
}

// --- snapshots ---

void TMain_F::Make1Click()
{
    if (!gameSavable())
        return;
    Board1->setEnabled(false);
    Board1->SnapshotJournal = Board1->Journal();
    Board1->SnapshotPos = Board1->JournalPos;
    Board1->setEnabled(true);
    snapshotTaken = true;
    writeItemStates();
}

void TMain_F::Restore1Click()
{
    if (!snapshotTaken || !gameSavable())
        return;
    SetYouAreStuck(*table, false);
    {
        ReplayScope scope(*this);
        // Back to the deal, then forward along the snapshot's journal.
        while (Board1->JournalPos >= 0) {
            const int before = Board1->JournalPos;
            Board1->Undo();
            if (Board1->JournalPos == before)
                break;
        }
        Board1->SetJournal(Board1->SnapshotJournal, -1);
        replayJournalTo(Board1->SnapshotPos);
    }
    RefreshStatus();
    writeItemStates();
}

QString TMain_F::chooseSavedGameFile(bool save, const QString &start)
{
    const QString filter = QString::fromLatin1(SavedGameFilter);
    if (save)
        return QFileDialog::getSaveFileName(MessageOwner(), QStringLiteral("Save Game"), start, filter);
    return QFileDialog::getOpenFileName(MessageOwner(), QStringLiteral("Open Game"), start, filter);
}
