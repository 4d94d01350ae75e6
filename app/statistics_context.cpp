#include "app/statistics_context.h"

#include <QDialog>
#include <QMessageBox>

int StatisticsContext::exec(QDialog &dialog) const
{
    return run ? run(dialog) : dialog.exec();
}

bool StatisticsContext::confirm(const QString &text, const QString &caption) const
{
    if (ask)
        return ask(text, caption);
    return QMessageBox::question(nullptr, caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

QString StatisticsContext::nameOf(int gameId) const
{
    for (const ListedGame &game : games)
        if (game.gameId == gameId)
            return game.name;
    return gameName ? gameName(gameId) : QString::number(gameId);
}
