#include "app/help_topics.h"

#include "games/catalogue.h"

namespace {

struct TopicPage {
    int topic;
    const char *page; // under qrc:/help/, with an optional anchor
};

constexpr TopicPage Pages[] = {
    {HelpTopic::Contents, "contents.html"},
    {HelpTopic::Options, "options.html"},
    {HelpTopic::PlaySound, "options.html#sound"},
    {HelpTopic::QuickStart, "quick_start.html"},
    {HelpTopic::GameList, "game_selection.html#list"},
    {HelpTopic::RulesButton, "game_selection.html#rules"},
    {HelpTopic::HowTo, "how_to.html"},
    // The menu items' own topics.
    {10, "commands.html#shuffle"},
    {12, "commands.html#new"},
    {13, "commands.html#restart"},
    {14, "commands.html#select"},
    {15, "commands.html#autoplay"},
    {17, "commands.html#undo"},
    {18, "commands.html#redo"},
    {21, "commands.html#pause"},
    {25, "commands.html#hint"},
    {RulesTopic(GameIds::Bisley), "bisley.html"},
    {RulesTopic(GameIds::FlowerGarden), "flower_garden.html"},
    {RulesTopic(GameIds::Carpet), "carpet.html"},
    {RulesTopic(GameIds::FreeCell), "freecell.html"},
    {RulesTopic(GameIds::Nestor), "nestor.html"},
    {RulesTopic(GameIds::Klondike), "klondike.html"},
    {RulesTopic(GameIds::Spider), "spider.html"},
    {RulesTopic(GameIds::MonteCarlo), "monte_carlo.html"},
    {RulesTopic(GameIds::Yukon), "yukon.html"},
    {RulesTopic(GameIds::SpiderTwoSuit), "spider_two_suit.html"},
    {RulesTopic(GameIds::SpiderOneSuit), "spider_one_suit.html"},
    {RulesTopic(GameIds::Bouquet), "bouquet.html"},
};

QUrl pageUrl(const char *page)
{
    return QUrl(QStringLiteral("qrc:/help/") + QString::fromLatin1(page));
}

} // namespace

QUrl NotAvailablePage()
{
    return pageUrl("not_available.html");
}

QUrl HelpTopicPage(int topic)
{
    for (const TopicPage &entry : Pages)
        if (entry.topic == topic)
            return pageUrl(entry.page);
    return NotAvailablePage();
}
