#pragma once

#include <QObject>
#include <functional>

class CustomGameSource;
class HelpWindow;

// The name of the widget property that carries a control's help topic.
inline constexpr char HelpContextProperty[] = "HelpContext";

// The rules of a game, as F1, the game's Help item and "&Rules" open them: a built-in game's
// rules page. A custom variant (id 1000 and above) has no page of its own; it shows its base
// game's page until the variant rules window takes its place here.
void ShowGameRules(HelpWindow &help, int gameId, const CustomGameSource *customs);

// F1 in a dialog: the nearest control, from the focused one outwards, that carries a help
// topic (HelpContextProperty above 0) has its topic opened. A dialog without one gets the key
// as usual.
class DialogHelpKeys : public QObject {
    Q_OBJECT
public:
    DialogHelpKeys(std::function<void(int topic)> showTopic, QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void(int)> showTopic;
};
