#pragma once

#include "app/statistics_context.h"
#include "store/high_scores.h"

#include <QDialog>

class QComboBox;
class QTableWidget;
class QTabWidget;
class QVBoxLayout;

// `THiscoreForm`: the best ten players of a game and period, as a table and as bars.
class THiscoreForm : public QDialog {
    Q_OBJECT
public:
    THiscoreForm(StatisticsContext &context, int gameId, QWidget *parent = nullptr);

    QComboBox *GameBox = nullptr;
    QComboBox *PeriodBox = nullptr;
    QComboBox *KindBox = nullptr;
    QTabWidget *Pages = nullptr;
    QTableWidget *Table = nullptr;
    QWidget *GraphPage = nullptr;

    const std::vector<HiScore> &Scores() const { return scores; }
    void Fill();

protected:
    void done(int result) override;

private:
    void showGraph();

    StatisticsContext &context;
    std::vector<HiScore> scores;
    QVBoxLayout *graphLayout = nullptr;
    QWidget *graph = nullptr;
};
