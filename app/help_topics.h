#pragma once

#include <QString>
#include <QUrl>

// The help is addressed by topic numbers: the rules of a built-in game are its id + 100,
// the other topics are fixed numbers that menu items and dialog controls carry.
namespace HelpTopic {
inline constexpr int Contents = 1;
inline constexpr int Options = 3;
inline constexpr int PlaySound = 6;
inline constexpr int QuickStart = 22;
inline constexpr int GameList = 1003;
inline constexpr int RulesButton = 1005;
inline constexpr int HowTo = 3402;
inline constexpr int RulesOffset = 100;
} // namespace HelpTopic

// The page that answers a topic ("qrc:/help/klondike.html", perhaps with an anchor); the
// "topic not available" page for a number the help has no page for.
QUrl HelpTopicPage(int topic);
QUrl NotAvailablePage();
// The rules topic of a built-in game.
constexpr int RulesTopic(int gameId)
{
    return gameId + HelpTopic::RulesOffset;
}
