#include "app/won_dialog.h"

#include "store/won_figures.h"

#include <QGridLayout>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QVBoxLayout>

TWinDlg::TWinDlg(const QString &gameName, const WonFigures &figures, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(gameName);
    const WonTexts texts = MakeWonTexts(figures);
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(QStringLiteral("Congratulations!!!"), this);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);

    auto *grid = new QGridLayout;
    const auto row = [&](int at, const QString &caption, const QString &value) {
        grid->addWidget(new QLabel(caption, this), at, 0);
        auto *label = new QLabel(value, this);
        grid->addWidget(label, at, 1);
        return label;
    };
    TimeLabel2 = row(0, QStringLiteral(" Your time:"), texts.time);
    TimeLabel4 = row(1, QStringLiteral(" Your best time:"), texts.yourBest);
    TimeLabel6 = row(2, QStringLiteral(" Best time:"), texts.bestOfAll);
    WonLabel = row(3, QStringLiteral(" Won:"), texts.won);
    LostLabel = row(4, QStringLiteral(" Lost:"), texts.lost);
    TotalLabel = row(5, QStringLiteral(" Total:"), texts.total);
    BestWLLabel = row(6, QStringLiteral(" Best W/L ratio:"), texts.bestRatio);
    layout->addLayout(grid);
    if (!figures.statisticsShown) {
        // Only this game's time stays.
        for (int index = 2; index < grid->count(); ++index)
            grid->itemAt(index)->widget()->hide();
        layout->addWidget(new QLabel(QStringLiteral("Statistics disabled"), this));
        auto *more = new QLabel(QStringLiteral("More information..."), this);
        more->setEnabled(false);
        layout->addWidget(more);
    }

    QLabel **records[] = {&lbBest1, &lbBest2, &lbBest3};
    for (int i = 0; i < 3; ++i) {
        *records[i] = new QLabel(i < texts.records.size() ? texts.records[i] : QString(), this);
        QFont font = (*records[i])->font();
        font.setBold(true);
        (*records[i])->setFont(font);
        (*records[i])->setVisible(i < texts.records.size());
        layout->addWidget(*records[i]);
    }

    auto *buttons = new QHBoxLayout;
    auto *newGame = new QPushButton(QStringLiteral("&New Game"), this);
    auto *cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    auto *select = new QPushButton(QStringLiteral("Select Solitaire..."), this);
    newGame->setDefault(true);
    connect(newGame, &QPushButton::clicked, this, [this] { done(NewGameResult); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(select, &QPushButton::clicked, this, [this] { done(SelectGameResult); });
    buttons->addWidget(newGame);
    buttons->addWidget(cancel);
    buttons->addWidget(select);
    layout->addLayout(buttons);
}

void TWinDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_M && (event->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier) {
        CommentClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TWinDlg::CommentClick()
{
    if (!StoreComment || CommentDialog)
        return;
    QDialog box(this);
    CommentDialog = &box;
    box.setObjectName(QStringLiteral("CommentDialog"));
    box.setWindowTitle(QStringLiteral("Comment this game"));
    auto *layout = new QVBoxLayout(&box);
    auto *edit = new QLineEdit(Comment, &box);
    edit->setMaxLength(40);
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 44);
    layout->addWidget(edit);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &box);
    connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    layout->addWidget(buttons);
    const bool stored = box.exec() == QDialog::Accepted;
    CommentDialog = nullptr;
    if (stored) {
        Comment = edit->text();
        StoreComment(Comment);
    }
}
