#pragma once

#include "app/statistics_context.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QTableWidget;

// `TStatForm`: a row per game with the chosen player's figures of one period, the totals
// below, and the way to the clear dialog, the log, the high scores and the score history.
class TStatForm : public QDialog {
    Q_OBJECT
public:
    explicit TStatForm(StatisticsContext &context, QWidget *parent = nullptr);

    QTabBar *Tabs = nullptr;
    QComboBox *ShowBox = nullptr;
    QComboBox *PlayerBox = nullptr;
    QStackedWidget *Pages = nullptr;
    QTableWidget *Grid = nullptr;
    QTableWidget *Totals = nullptr;
    QLabel *DisabledText = nullptr;
    QPushButton *ClearButton = nullptr, *HiScoresButton = nullptr, *LogButton = nullptr;
    QPushButton *HistoryButton = nullptr, *PlayButton = nullptr, *CloseButton = nullptr;

    const StatTable &Table() const { return table; }
    // The game of the selected row; -1 when none.
    int SelectedGame() const;
    const StatisticsOutcome &Outcome() const { return outcome; }

    void Fill();
    void SortBy(StatColumn column);
    // "Show &Graph": the won/lost pie of the selected game in a window of its own.
    void ShowGraph();
    void PlaySelectedGame();

protected:
    void done(int result) override;

private:
    void showRows();
    void openClear();
    void openHiScores();
    void openLog();
    void openHistory();

    StatisticsContext &context;
    StatTable table;
    StatSorting sorting;
    StatisticsOutcome outcome;
};
