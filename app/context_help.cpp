#include "app/context_help.h"

#include "app/help_topics.h"
#include "app/help_window.h"
#include "games/catalogue.h"

#include <QDialog>
#include <QKeyEvent>
#include <QWidget>

void ShowGameRules(HelpWindow &help, int gameId, const CustomGameSource *customs)
{
    help.ShowTopic(RulesTopic(IsCustomGameId(gameId) ? BaseGameId(gameId, customs) : gameId));
}

DialogHelpKeys::DialogHelpKeys(std::function<void(int topic)> show, QObject *parent)
    : QObject(parent), showTopic(std::move(show))
{
}

bool DialogHelpKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
        return false;
    auto *target = static_cast<QWidget *>(watched);
    if (!qobject_cast<QDialog *>(target->window()))
        return false;
    // The key goes to the focused control, so the search starts at the receiver.
    for (QWidget *widget = target; widget; widget = widget->parentWidget()) {
        const int topic = widget->property(HelpContextProperty).toInt();
        if (topic > 0) {
            showTopic(topic);
            return true;
        }
        if (widget->isWindow())
            break;
    }
    return false;
}
