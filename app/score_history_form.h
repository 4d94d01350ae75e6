#pragma once

#include "app/statistics_context.h"
#include "store/score_history.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QVBoxLayout;

// `TdgGraph`, "Score History": the scores of one player's games of one game in file order,
// with their average and trend, a page at a time.
class TdgGraph : public QDialog {
    Q_OBJECT
public:
    // Points on one page of the chart.
    static constexpr int PageSize = 100;

    TdgGraph(StatisticsContext &context, int playerIndex, int gameId, QWidget *parent = nullptr);

    QComboBox *PlayerBox = nullptr, *GameBox = nullptr, *FilterBox = nullptr;
    QSpinBox *LastAmount = nullptr;
    QCheckBox *ScoreValues = nullptr, *AverageLine = nullptr, *TrendCurve = nullptr, *View3D = nullptr;
    QPushButton *PreviousPage = nullptr, *NextPage = nullptr;
    QLabel *PageLabel = nullptr, *InfoLine = nullptr, *TrendError = nullptr;

    const ScoreHistory &History() const { return history; }
    int Page() const { return page; }
    int PageCount() const;
    QWidget *Chart() const { return chart; }

    void Fill();
    // Shows the game of a point of the page in the info line; -1 clears it.
    void PointHovered(int indexOnPage);

protected:
    void done(int result) override;

private:
    void showPage();

    StatisticsContext &context;
    ScoreHistory history;
    int page = 0;
    QVBoxLayout *chartLayout = nullptr;
    QWidget *chart = nullptr;
};
