#pragma once

#include "app/game_host.h"

#include <QStringList>
#include <vector>

// The main window as New Game sees it, answering at once and remembering what it was told.
class FakeHost : public GameHost {
public:
    Confirmation Confirm(const QString &text, const QString &) override
    {
        questions.push_back(text);
        return answer;
    }
    bool ConfirmNewGame() const override { return confirmNewGame; }
    void SetConfirmNewGame(bool value) override { confirmNewGame = value; }
    bool ShowStuckMessage() const override { return showStuck; }
    bool AutoplayOff(int) const override { return autoplayOff; }
    std::optional<quint32> AskShuffleNumber(const QStringList &recent) override
    {
        offeredNumbers = recent;
        return shuffleNumber;
    }
    void SetCaption(const QString &text) override { caption = text; }
    void ShowAutoplay(bool shown, bool checked) override
    {
        autoplayShown = shown;
        autoplayChecked = checked;
    }
    void StoreWindowPlacement(int) override {}
    void ApplyGameSettings(int) override {}
    void AddToRecentlyPlayed(int gameId) override { recentGames.push_back(gameId); }
    void SetBusyCursor(bool) override {}
    void RefreshStatus() override { ++statusRefreshes; }
    void FitWindowToTable() override {}
    void ResetScrollBars() override {}
    void RecordNotWon(const FinishedGame &game) override { notWon.push_back(game); }
    void Wait(int milliseconds) override { waited += milliseconds; }
    void FlashWindow() override { ++flashes; }
    void ShowWonBackground(bool shown) override { wonBackground = shown; }
    WonChoice RecordWinAndShowWonDialog(const FinishedGame &game, const QString &name) override
    {
        wins.push_back(game);
        wonDialogCaption = name;
        return wonChoice;
    }

    Confirmation answer{true, false};
    bool confirmNewGame = true;
    bool showStuck = true;
    bool autoplayOff = false;
    std::optional<quint32> shuffleNumber;
    WonChoice wonChoice = WonChoice::Cancel;

    QStringList questions;
    QStringList offeredNumbers;
    QString caption;
    QString wonDialogCaption;
    std::vector<int> recentGames;
    std::vector<FinishedGame> notWon;
    std::vector<FinishedGame> wins;
    int statusRefreshes = 0;
    int waited = 0;
    int flashes = 0;
    bool wonBackground = false;
    bool autoplayShown = false;
    bool autoplayChecked = false;
};
