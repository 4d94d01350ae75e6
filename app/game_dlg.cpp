#include "app/game_dlg.h"

#include "app/context_help.h"
#include "app/game_picture.h"
#include "app/help_topics.h"
#include "app/tarnwick_application.h"
#include "games/catalogue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int GameIdRole = Qt::UserRole;
const QSize PictureSize(260, 190);
constexpr int ListWidth = 280;
constexpr int SmallListWidth = 160;
constexpr qreal SmallestPictureScale = 0.4;

bool askDeleteGame(QWidget *parent, const QString &question, bool &dontAskAgain)
{
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(ProgramTitle), question,
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    auto *check = new QCheckBox(QStringLiteral("Don't show this message again"));
    box.setCheckBox(check);
    const bool ok = box.exec() == QMessageBox::Ok;
    dontAskAgain = check->isChecked();
    return ok;
}

} // namespace

TGameDlg::TGameDlg(GameDlgHost &host, GamePictureMaker *pictures, QWidget *parent)
    : QDialog(parent), host(host), pictures(pictures)
{
    setObjectName(QStringLiteral("GameDlg"));
    setWindowTitle(QString::fromLatin1(GameListText::Caption));
    AskDeleteGame = [this](const QString &question, bool &dontAskAgain) {
        return askDeleteGame(this, question, dontAskAgain);
    };
    AskGroupName = [this](const QString &caption, const QString &name) -> std::optional<QString> {
        bool ok = false;
        const QString text = QInputDialog::getText(this, caption, QString::fromLatin1(GameDlgText::GroupName),
                                                   QLineEdit::Normal, name, &ok);
        return ok ? std::optional<QString>(text) : std::nullopt;
    };
    AskDeleteGroup = [this](const QString &question) {
        return QMessageBox::question(this, QString::fromLatin1(ProgramTitle), question) == QMessageBox::Yes;
    };

    gameTypes = new QComboBox;
    gameTypes->setObjectName(QStringLiteral("GameType_CB"));
    ShowGroups();
    connect(gameTypes, &QComboBox::currentIndexChanged, this, [this] { showRows(); });

    players = new QComboBox;
    players->setObjectName(QStringLiteral("Players_CB"));
    players->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // Only the player's own choices count; refilling the box chooses nobody.
    connect(players, &QComboBox::activated, this, [this](int index) { playerChosen(index); });

    list = new QTreeWidget;
    list->setObjectName(QStringLiteral("Games_LV"));
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setUniformRowHeights(true);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    list->setMinimumWidth(ListWidth);
    list->header()->setSectionsClickable(true);
    list->header()->setSortIndicatorShown(false);
    connect(list->header(), &QHeaderView::sectionClicked, this, [this](int section) { SortByColumn(section + 1); });
    connect(list, &QTreeWidget::itemSelectionChanged, this, [this] { selectionChanged(); });
    connect(list, &QTreeWidget::itemDoubleClicked, this, [this] { accept(); });
    connect(list, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) { showPopup(at); });

    picture = new QLabel;
    picture->setObjectName(QStringLiteral("Picture_P"));
    picture->setFixedSize(PictureSize);
    picture->setFrameShape(QFrame::StyledPanel);
    picture->setFrameShadow(QFrame::Sunken);

    Ap_RG = new QGroupBox(QString::fromLatin1(GameDlgText::AutoPlay));
    Ap_RG->setObjectName(QStringLiteral("Ap_RG"));
    autoplayOnButton = new QRadioButton(QString::fromLatin1(GameDlgText::On));
    autoplayOffButton = new QRadioButton(QString::fromLatin1(GameDlgText::Off));
    auto *autoplayLayout = new QHBoxLayout(Ap_RG);
    autoplayLayout->addWidget(autoplayOnButton);
    autoplayLayout->addWidget(autoplayOffButton);
    autoplayLayout->addStretch();
    // The choice goes into the game's record at once.
    connect(autoplayOnButton, &QRadioButton::toggled, this, [this](bool on) {
        const int gameId = SelectedGameId();
        if (gameId >= 0 && Ap_RG->isVisible())
            this->host.SetAutoplayOn(gameId, on);
    });

    okButton = new QPushButton(QStringLiteral("OK"));
    okButton->setDefault(true);
    auto *cancelButton = new QPushButton(QStringLiteral("Cancel"));
    rulesButton = new QPushButton(QString::fromLatin1(GameDlgText::Rules));
    rulesButton->setProperty(HelpContextProperty, HelpTopic::RulesButton);
    connect(okButton, &QPushButton::clicked, this, &TGameDlg::accept);
    connect(cancelButton, &QPushButton::clicked, this, &TGameDlg::reject);
    connect(rulesButton, &QPushButton::clicked, this, [this] {
        if (SelectedGameId() >= 0)
            this->host.ShowRules(SelectedGameId());
    });

    auto *left = new QVBoxLayout;
    left->addWidget(gameTypes);
    left->addWidget(list, 1);
    auto *playerRow = new QHBoxLayout;
    auto *playerLabel = new QLabel(QString::fromLatin1(GameDlgText::Player));
    playerLabel->setBuddy(players);
    playerRow->addWidget(playerLabel);
    playerRow->addWidget(players, 1);
    auto *right = new QVBoxLayout;
    right->addLayout(playerRow);
    right->addWidget(picture);
    right->addWidget(Ap_RG);
    right->addStretch();
    auto *top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addLayout(right);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    buttons->addWidget(rulesButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
}

TGameDlg::~TGameDlg() = default;

void TGameDlg::SetDealAvailable(std::function<bool(int)> available)
{
    dealAvailable = std::move(available);
}

void TGameDlg::PostStartMessage()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            Fill();
            Q_EMIT StartSelection();
        },
        Qt::QueuedConnection);
}

void TGameDlg::Fill()
{
    GameListSource source;
    source.customs = host.CustomGames();
    source.customCount = host.CustomGameCount();
    source.dealAvailable = dealAvailable;
    rows = buildGameRows(source);
    sortState = DefaultSortState;
    filled = true;
    showRows();
}

void TGameDlg::FillPlayers()
{
    const QSignalBlocker block(players);
    players->clear();
    players->addItems(host.PlayerNames());
    players->addItem(QString::fromLatin1(GameDlgText::EditPlayerList));
    const int current = host.CurrentPlayer();
    players->setCurrentIndex(current >= 0 && current < players->count() - 1 ? current : -1);
}

void TGameDlg::playerChosen(int index)
{
    const int editEntry = players->count() - 1;
    if (index < 0 || index > editEntry)
        return;
    if (index < editEntry) {
        host.ChoosePlayer(index);
        return;
    }
    // The list may come back with other names and another current player: the box shows it
    // and that player is chosen as if picked here.
    host.EditPlayers();
    FillPlayers();
    if (players->currentIndex() >= 0 && players->currentIndex() < players->count() - 1)
        host.ChoosePlayer(players->currentIndex());
}

bool TGameDlg::rowShown(const GameRow &row) const
{
    const int group = ShownGroup();
    if (group == 0)
        return true;
    if (group == RecentlyPlayedGroup)
        return Groups.RecentlyPlayed().contains(row.GameId);
    return Groups.IsMember(row.GameId, group);
}

int TGameDlg::ShownGroup() const
{
    const int index = gameTypes->currentIndex();
    const std::vector<GameGroup> &groups = Groups.Groups();
    return index >= 1 && index <= int(groups.size()) ? groups[std::size_t(index - 1)].Number : 0;
}

void TGameDlg::ShowGroups()
{
    const int shown = gameTypes->currentIndex();
    {
        const QSignalBlocker block(gameTypes);
        gameTypes->clear();
        gameTypes->addItem(QString::fromLatin1(GameListText::AllGames));
        for (const GameGroup &group : Groups.Groups())
            gameTypes->addItem(group.Name);
        gameTypes->setCurrentIndex(shown >= 0 && shown < gameTypes->count() ? shown : 0);
    }
    if (filled)
        showRows();
}

void TGameDlg::AddSelectedGameToGroup(int number)
{
    const int gameId = SelectedGameId();
    if (gameId >= 0 && Groups.AddToGroup(gameId, number))
        showRows();
}

void TGameDlg::RemoveSelectedGameFromGroup()
{
    const int gameId = SelectedGameId();
    const int group = ShownGroup();
    if (gameId < 0 || group == 0)
        return;
    Groups.RemoveFromGroup(gameId, group);
    showRows();
}

void TGameDlg::NewGroup()
{
    const std::optional<QString> name = AskGroupName ? AskGroupName(QString::fromLatin1(GameDlgText::NewGroup).remove(QLatin1Char('&')).remove(QStringLiteral("...")), QString()) : std::nullopt;
    if (!name)
        return;
    const int number = Groups.CreateGroup(*name);
    if (number == 0)
        return;
    ShowGroups();
    SetGameType(number);
}

void TGameDlg::RenameShownGroup()
{
    const int group = ShownGroup();
    if (group <= RecentlyPlayedGroup || !AskGroupName)
        return;
    const std::optional<QString> name =
        AskGroupName(QString::fromLatin1(GameDlgText::RenameGroup).remove(QLatin1Char('&')).remove(QStringLiteral("...")),
                     gameTypes->currentText());
    if (name && Groups.RenameGroup(group, *name))
        ShowGroups();
}

void TGameDlg::DeleteShownGroup()
{
    const int group = ShownGroup();
    if (group <= RecentlyPlayedGroup)
        return;
    if (AskDeleteGroup && !AskDeleteGroup(QString::fromLatin1(GameDlgText::ConfirmDeleteGroup).arg(gameTypes->currentText())))
        return;
    Groups.DeleteGroup(group);
    SetGameType(0);
    ShowGroups();
}

void TGameDlg::showRows()
{
    const int selected = SelectedGameId();
    sortGameRows(rows, sortState);
    list->setUpdatesEnabled(false);
    list->blockSignals(true);
    list->clear();
    list->setHeaderLabels({QString::fromLatin1(GameListText::Game), QString::fromLatin1(GameListText::Difficulty),
                           QString::fromLatin1(GameListText::Decks)});
    int shown = 0;
    for (const GameRow &row : rows) {
        if (!rowShown(row))
            continue;
        auto *item = new QTreeWidgetItem(list, {row.Name, row.Difficulty, row.Decks});
        item->setData(0, GameIdRole, row.GameId);
        ++shown;
    }
    QHeaderView *header = list->header();
    if (shown > 0) {
        list->resizeColumnToContents(0);
        for (int column = 1; column < 3; ++column) {
            list->resizeColumnToContents(column);
            list->setColumnWidth(column, std::max(list->columnWidth(column), header->sectionSizeHint(column)));
        }
    } else {
        for (int column = 0; column < 3; ++column)
            list->setColumnWidth(column, 0);
    }
    list->blockSignals(false);
    list->setUpdatesEnabled(true);
    SelectGame(selected);
    selectionChanged();
}

void TGameDlg::SortByColumn(int column)
{
    sortState = nextSortState(sortState, column);
    showRows();
}

int TGameDlg::GameType() const
{
    return gameTypes->currentIndex();
}

void TGameDlg::SetGameType(int index)
{
    gameTypes->setCurrentIndex(index >= 0 && index < gameTypes->count() ? index : 0);
}

int TGameDlg::SelectedGameId() const
{
    const QList<QTreeWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : selected.first()->data(0, GameIdRole).toInt();
}

void TGameDlg::SelectGame(int gameId)
{
    list->clearSelection();
    list->setCurrentItem(nullptr);
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = list->topLevelItem(i);
        if (item->data(0, GameIdRole).toInt() == gameId) {
            list->setCurrentItem(item);
            item->setSelected(true);
            list->scrollToItem(item);
            return;
        }
    }
}

void TGameDlg::selectionChanged()
{
    const int gameId = SelectedGameId();
    okButton->setEnabled(gameId >= 0);
    rulesButton->setEnabled(gameId >= 0);
    if (gameId < 0) {
        picture->hide();
        Ap_RG->hide();
        return;
    }
    showPicture(gameId);
    picture->show();
    const bool automatic = HasAutomaticPlay(gameId, host.CustomGames());
    if (automatic) {
        const QSignalBlocker blockOn(autoplayOnButton);
        const QSignalBlocker blockOff(autoplayOffButton);
        (host.AutoplayOn(gameId) ? autoplayOnButton : autoplayOffButton)->setChecked(true);
    }
    Ap_RG->setVisible(automatic);
}

void TGameDlg::showPicture(int gameId)
{
    // A picture that cannot be made leaves the previous one.
    if (!pictures)
        return;
    const QImage image = pictures->Picture(gameId, picture->contentsRect().size());
    if (!image.isNull())
        picture->setPixmap(QPixmap::fromImage(image));
}

QMenu *TGameDlg::MakePopup()
{
    const int gameId = SelectedGameId();
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("GamePopup"));
    if (gameId >= 0) {
        QAction *rules = menu->addAction(QString::fromLatin1(GameDlgText::Rules));
        rules->setShortcut(Qt::Key_F1);
        connect(rules, &QAction::triggered, this, [this, gameId] { host.ShowRules(gameId); });
        QMenu *addTo = menu->addMenu(QString::fromLatin1(GameDlgText::AddToGroup));
        for (const GameGroup &group : Groups.Groups()) {
            QAction *item = addTo->addAction(group.Name);
            item->setEnabled(group.Number == RecentlyPlayedGroup ? !Groups.RecentlyPlayed().contains(gameId)
                                                                 : !Groups.IsMember(gameId, group.Number));
            connect(item, &QAction::triggered, this, [this, number = group.Number] { AddSelectedGameToGroup(number); });
        }
        if (ShownGroup() != 0) {
            QAction *remove = menu->addAction(QString::fromLatin1(GameDlgText::RemoveFromGroup));
            connect(remove, &QAction::triggered, this, &TGameDlg::RemoveSelectedGameFromGroup);
        }
    }
    menu->addSeparator();
    connect(menu->addAction(QString::fromLatin1(GameDlgText::NewGroup)), &QAction::triggered, this, &TGameDlg::NewGroup);
    if (ShownGroup() == RecentlyPlayedGroup && !Groups.RecentlyPlayed().isEmpty()) {
        connect(menu->addAction(QString::fromLatin1(GameDlgText::ClearRecent)), &QAction::triggered, this, [this] {
            Groups.ClearRecentlyPlayed();
            showRows();
        });
    }
    if (ShownGroup() > RecentlyPlayedGroup) {
        connect(menu->addAction(QString::fromLatin1(GameDlgText::RenameGroup)), &QAction::triggered, this,
                &TGameDlg::RenameShownGroup);
        connect(menu->addAction(QString::fromLatin1(GameDlgText::DeleteGroup)), &QAction::triggered, this,
                &TGameDlg::DeleteShownGroup);
    }
    if (IsCustomGameId(gameId)) {
        menu->addSeparator();
        QAction *remove = menu->addAction(QString::fromLatin1(GameDlgText::DeleteGame));
        remove->setShortcut(Qt::Key_Delete);
        connect(remove, &QAction::triggered, this, &TGameDlg::DeleteSelectedGame);
    }
    return menu;
}

void TGameDlg::showPopup(const QPoint &at)
{
    QMenu *menu = MakePopup();
    menu->exec(list->viewport()->mapToGlobal(at));
    menu->deleteLater();
}

void TGameDlg::DeleteSelectedGame()
{
    const int gameId = SelectedGameId();
    if (!IsCustomGameId(gameId))
        return;
    if (host.ConfirmOnDeleteGame()) {
        bool dontAskAgain = false;
        const QString name = GameName(gameId, host.CustomGames());
        const bool ok = AskDeleteGame && AskDeleteGame(QString::fromLatin1(GameDlgText::ConfirmDelete).arg(name), dontAskAgain);
        if (dontAskAgain)
            host.SetConfirmOnDeleteGame(false);
        if (!ok)
            return;
    }
    // The host renumbers the later variants, in the groups as well.
    if (!host.DeleteCustomGame(gameId))
        return;
    std::vector<GameRow> kept;
    for (GameRow row : rows) {
        if (row.GameId == gameId)
            continue;
        if (row.GameId > gameId)
            --row.GameId;
        kept.push_back(row);
    }
    rows = std::move(kept);
    showRows();
}

int TGameDlg::Choose()
{
    if (!filled)
        Fill();
    return exec() == QDialog::Accepted ? SelectedGameId() : -1;
}

void TGameDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FillPlayers();
    const int wanted = std::exchange(preselected, -1);
    if (wanted >= 0) {
        // A variant just made is shown among all games when the group shown lacks it.
        SelectGame(wanted);
        if (SelectedGameId() != wanted) {
            SetGameType(0);
            SelectGame(wanted);
        }
    } else {
        SelectGame(host.CurrentGameId());
    }
    selectionChanged();
    FitScreen();
    list->setFocus();
}

void TGameDlg::FitScreen()
{
    const QWidget *owner = parentWidget() ? parentWidget() : this;
    const QScreen *shown = owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    if (!shown)
        return;
    FitInto(shown->availableGeometry());
}

void TGameDlg::FitInto(const QRect &area)
{
    // The window frame, known once the dialog has been on screen; a guess before that.
    QMargins frame(frameGeometry().left() - geometry().left(), frameGeometry().top() - geometry().top(),
                   frameGeometry().right() - geometry().right(), frameGeometry().bottom() - geometry().bottom());
    frame = QMargins(qAbs(frame.left()), qAbs(frame.top()), qAbs(frame.right()), qAbs(frame.bottom()));
    if (frame.isNull())
        frame = QMargins(4, 24, 4, 4);
    const QSize room = area.size().shrunkBy(frame).expandedTo(QSize(1, 1));

    // At full size first; on a small screen the picture box and the list give way, the
    // picture keeping its proportions.
    picture->setFixedSize(PictureSize);
    list->setMinimumWidth(ListWidth);
    layout()->activate();
    const QSize needed = layout()->totalMinimumSize();
    if (needed.width() > room.width() || needed.height() > room.height()) {
        const int listGive = qMin(ListWidth - SmallListWidth, qMax(0, needed.width() - room.width()));
        list->setMinimumWidth(ListWidth - listGive);
        const int spareWidth = room.width() - (needed.width() - listGive - PictureSize.width());
        const int spareHeight = room.height() - (needed.height() - PictureSize.height());
        const qreal scale = qBound(SmallestPictureScale,
                                   qMin(qreal(spareWidth) / PictureSize.width(), qreal(spareHeight) / PictureSize.height()),
                                   1.0);
        picture->setFixedSize(qRound(PictureSize.width() * scale), qRound(PictureSize.height() * scale));
        layout()->activate();
    }
    setMaximumSize(room);
    resize(size().expandedTo(minimumSizeHint()).boundedTo(room));

    // Within the available area, frame and all.
    const QRect outer = QRect(pos(), size()).marginsAdded(frame);
    QPoint place = outer.topLeft();
    place.setX(qBound(area.left(), place.x(), qMax(area.left(), area.right() + 1 - outer.width())));
    place.setY(qBound(area.top(), place.y(), qMax(area.top(), area.bottom() + 1 - outer.height())));
    if (place != outer.topLeft())
        move(place);
}

void TGameDlg::accept()
{
    // OK needs a chosen game.
    if (SelectedGameId() < 0)
        return;
    QDialog::accept();
}

void TGameDlg::done(int result)
{
    // The pictures are made again when the dialog next opens; none are kept meanwhile.
    if (pictures)
        pictures->ClearCache();
    QDialog::done(result);
}

void TGameDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        // The list's F1 is its popup's "&Rules"; without a game it explains the list.
        if (SelectedGameId() >= 0)
            host.ShowRules(SelectedGameId());
        else
            host.ShowHelpTopic(HelpTopic::GameList);
        return;
    }
    if (event->key() == Qt::Key_Delete && IsCustomGameId(SelectedGameId())) {
        DeleteSelectedGame();
        return;
    }
    QDialog::keyPressEvent(event);
}
