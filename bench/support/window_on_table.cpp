#include "window_on_table.h"

#include "app/game_session.h"
#include "engine/Cardscmp.h"
#include "games/game_table.h"

#include <QApplication>
#include <QDir>

WindowOnTable::WindowOnTable(int gameId)
{
    locations.configFolder = folder.filePath(QStringLiteral("config"));
    locations.dataFolder = folder.filePath(QStringLiteral("data"));
    QDir().mkpath(locations.configFolder);
    registerDealtGames(deals);
    session = std::make_unique<ProgramSession>(locations, display);
    MainFormPrompts prompts;
    prompts.confirm = [](const QString &, const QString &) { return Confirmation{true, false}; };
    prompts.inform = [](const QString &) {};
    prompts.warn = [](const QString &) {};
    prompts.wait = [](int) {};
    window = std::make_unique<TMain_F>(*session, deals, prompts);
    window->setWindowState(Qt::WindowNoState);
    window->resize(1200, 800);
    window->show();
    window->Board1->Animate = false;
    window->Table().CurrentGameId = gameId;
    window->Session().GameNumber = 11;
    window->Session().RestartGame();
    QApplication::processEvents();
}
