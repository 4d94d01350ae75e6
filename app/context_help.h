#pragma once

#include <QObject>
#include <functional>

class CustomGameSource;
class HelpWindow;

// The name of the widget property that carries a control's help topic.
inline constexpr char HelpContextProperty[] = "HelpContext";

// A game's rules page in the help window. The main window opens a custom variant's own rules
// window instead (which offers its base game's page); a variant id given here shows its base
// game's page.
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
