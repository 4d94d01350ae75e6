#include "app/Mainform.h"

#include "app/about_box.h"
#include "app/card_appearance.h"
#include "app/custom_variants.h"
#include "app/context_help.h"
#include "app/demo_mode.h"
#include "app/empty_column_dialog.h"
#include "app/game_dlg.h"
#include "app/game_picture.h"
#include "app/game_session.h"
#include "app/help_topics.h"
#include "app/help_window.h"
#include "app/status_indicator.h"
#include "app/winnable_deals.h"
#include "app/player_dialogs.h"
#include "app/program_session.h"
#include "app/shuffle_form.h"
#include "app/suit_form.h"
#include "app/tarnwick_application.h"
#include "app/tip_of_the_day.h"
#include "app/toolbar.h"
#include "app/won_dialog.h"
#include "engine/Cardscmp.h"
#include "games/auto_moves.h"
#include "games/catalogue.h"
#include "games/game_table.h"
#include "games/klondike.h"
#include "games/pile_names.h"
#include "look/card_sets.h"
#include "look/make_back_dlg.h"
#include "look/picture_file.h"
#include "look/table_background.h"
#include "look/sound_effects.h"
#include "look/program_folder.h"
#include "store/binary_stream.h"
#include "store/game_groups.h"
#include "store/close_report.h"
#include "store/player_shortcuts.h"
#include "store/won_figures.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QEventLoop>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWindow>
#include <QWindowStateChangeEvent>
#include <algorithm>
#include <utility>

namespace {

// The won table's background: our own tile of scattered suit marks on green.
const QImage &wonTile()
{
    static const QImage tile = [] {
        QImage image(96, 96, QImage::Format_RGB32);
        image.fill(QColor(0, 100, 0));
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        QFont font = painter.font();
        font.setPixelSize(28);
        painter.setFont(font);
        const QString suits[] = {QStringLiteral("\u2663"), QStringLiteral("\u2666"), QStringLiteral("\u2665"),
                                 QStringLiteral("\u2660")};
        const QPoint places[] = {{8, 36}, {56, 28}, {20, 84}, {64, 80}};
        for (int i = 0; i < 4; ++i) {
            painter.setPen(i == 1 || i == 2 ? QColor(200, 60, 60) : QColor(20, 40, 20));
            painter.drawText(places[i], suits[i]);
        }
        return image;
    }();
    return tile;
}

// Panel 3: " You Are Stuck" in white on navy, any other text in black on the button face.
class TipPanelLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const bool stuck = text() == QLatin1String(MainText::YouAreStuck);
        painter.fillRect(rect(), stuck ? QColor(0, 0, 128) : palette().color(QPalette::Button));
        painter.setPen(stuck ? Qt::white : Qt::black);
        const QFontMetrics metrics(font());
        const int baseline = (height() - metrics.height()) / 2 - 2 + metrics.ascent();
        painter.drawText(2, baseline, text());
    }
};

GameResult gameResult(const FinishedGame &game, qint64 pausedMilliseconds)
{
    GameResult result;
    result.GameNumber = game.GameNumber;
    result.GameId = game.GameId;
    result.Won = game.Won;
    result.Score = game.Score;
    result.Moves = game.Moves;
    // The game's pauses do not count as playing time.
    result.StartTime = toDayNumber(game.StartTime.addMSecs(pausedMilliseconds));
    result.EndTime = toDayNumber(game.EndTime);
    if (result.EndTime < result.StartTime)
        result.StartTime = result.EndTime;
    return result;
}

Confirmation confirmationBox(QWidget *parent, const QString &text, const QString &caption)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    auto *check = new QCheckBox(QString::fromLatin1(MainText::DontShowAgain));
    box.setCheckBox(check);
    const bool ok = box.exec() == QMessageBox::Ok;
    return {ok, check->isChecked()};
}

} // namespace

TMain_F::TMain_F(ProgramSession &programSession, const GameDeals &gameDeals, MainFormPrompts givenPrompts, QWidget *parent)
    : QMainWindow(parent), program(programSession), deals(gameDeals), prompts(std::move(givenPrompts))
{
    setObjectName(QStringLiteral("Main_F"));
    setWindowTitle(QString::fromLatin1(ProgramTitle));
    if (!prompts.confirm)
        prompts.confirm = [this](const QString &text, const QString &caption) {
            return confirmationBox(this, text, caption);
        };
    if (!prompts.inform)
        prompts.inform = [this](const QString &text) {
            QMessageBox::information(MessageOwner(), QString::fromLatin1(ProgramTitle), text);
        };
    if (!prompts.warn)
        prompts.warn = [this](const QString &text) {
            QMessageBox::warning(MessageOwner(), QString::fromLatin1(ProgramTitle), text);
        };
    if (!prompts.cursorPosition)
        prompts.cursorPosition = [] { return QCursor::pos(); };
    if (!prompts.chooseSavedGame)
        prompts.chooseSavedGame = [this](bool save, const QString &start) { return chooseSavedGameFile(save, start); };

    // Settings, window records, statistics, in their order; the messages wait for the first
    // game selection.
    DataStore &data = program.Data();
    StartSteps steps;
    steps.inform = [this](const QString &text) { startMessages << text; };
    steps.warn = [this](const QString &text) { startWarnings << text; };
    loadVariantsAndGroups(steps);
    data.loadAtStart(steps);
    CardsSettings &cards = data.settings.Cards;

    ScrollBox1 = new TBoardScrollBox(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    Board1 = new TBoard;
    Board1->setObjectName(QStringLiteral("Board1"));
    ScrollBox1->SetBoard(Board1);
    setCentralWidget(ScrollBox1);
    Board1->SetScore(-1000);
    // The 208 cards live as long as the window.
    table = std::make_unique<GameTable>(Board1);
    columnChooser = std::make_unique<EmptyColumnDialogChooser>(this);
    cardChooser = std::make_unique<CardChoiceDialog>(this);
    table->ColumnChooser = columnChooser.get();
    table->CardChoice = cardChooser.get();
    Board1->OnPileName = [this](const TDeck *pile) { return PileName(*table, pile); };
    // The keys play on the table from the start.
    Board1->setFocus();
    int gameId = cards.Game;
    // A stored variant id counts only while that variant exists; any other unknown id is game 1.
    if (!IsBuiltInGameId(gameId) && !variants->Record(gameId))
        gameId = 1;
    table->Customs = variants.get();
    table->CurrentGameId = gameId;
    table->BaseGameId = BaseGameId(gameId, table->Customs);
    session = std::make_unique<GameSession>(*table, *this);
    applySettingsToTable();
    // A picture file named as JPEG that is damaged is forgotten at start.
    if (PictureFile::HasJpegName(cards.Pattern_File) && !PictureFile::IsValidJpegFile(cards.Pattern_File))
        cards.Pattern_File.clear();
    background = std::make_unique<TableBackground>(programFolder());
    background->SetDevicePixelRatio(devicePixelRatioF());
    applyBackground();
    // The background starts at the visible area's corner: scrolling paints the table anew.
    for (QScrollBar *bar : {ScrollBox1->horizontalScrollBar(), ScrollBox1->verticalScrollBar()})
        connect(bar, &QScrollBar::valueChanged, Board1, [this] {
            if (Board1->Pattern_Type != 0 || program.Data().settings.Cards.Fade)
                Board1->update();
        });

    CardSetEnvironment environment;
    environment.ProgramFolder = programFolder();
    environment.UserFolder = data.locations.dataFolder;
    environment.ColourDepth = program.Display().colourDepth();
    environment.DevicePixelRatio = devicePixelRatioF();
    environment.Inform = [this](const QString &text) { prompts.inform(text); };
    appearance = std::make_unique<CardAppearance>(cards, environment, *table);
    appearance->ReapplySuits = [this] { session->ReapplyDeckSuits(); };
    appearance->PicturesChanged = [this] {
        if (pictures)
            pictures->ClearCache();
        Board1->update();
    };
    appearance->LoadAtStart(table->BaseGameId, ScrollBox1->size());
    // The table refits once the window's size has settled, not at every step of a resize.
    fitTimer = new QTimer(this);
    fitTimer->setSingleShot(true);
    fitTimer->setInterval(0);
    connect(fitTimer, &QTimer::timeout, this, &TMain_F::TableAreaChanged);
    emptyTableNote = new QLabel(QString::fromLatin1(MainText::EmptyTable), ScrollBox1->viewport());
    emptyTableNote->setObjectName(QStringLiteral("EmptyTableNote"));
    emptyTableNote->setAlignment(Qt::AlignCenter);
    emptyTableNote->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    QFont noteFont = emptyTableNote->font();
    noteFont.setPointSizeF(noteFont.pointSizeF() * 1.25);
    emptyTableNote->setFont(noteFont);

    pictures = std::make_unique<GamePictureMaker>(deals, variants.get(), &appearance->Sets());
    gameDialog = std::make_unique<TGameDlg>(*this, pictures.get(), this);
    gameDialog->Groups = *std::exchange(loadedGroups, nullptr);
    gameDialog->ShowGroups();
    gameDialog->SetGameType(cards.Group);
    gameDialog->SetDealAvailable([this](int baseGameId) { return this->deals.Has(baseGameId); });
    // The start-up messages come before the first selection, so that no box hides behind it.
    connect(gameDialog.get(), &TGameDlg::StartSelection, this, [this] {
        showStartMessages();
        // A saved game opened at start is the game the player goes on with.
        if (!openedGame)
            SelectSolitaire();
        if (program.Data().settings.Cards.TipShowAtStartup && TipsAvailable())
            ShowTipOfTheDay();
    });
    // F1 on a dialog's control opens the control's topic.
    qApp->installEventFilter(new DialogHelpKeys([this](int topic) { ShowHelpTopic(topic); }, this));
    shortcuts = std::make_unique<PlayerShortcuts>(data.locations.desktopFolder, QCoreApplication::applicationFilePath());

    createMenus();
    createStatusBar();
    createToolbar();
    StatusBarMenu->setChecked(cards.StatusBar);
    statusBar()->setVisible(cards.StatusBar);
    Sound1->setChecked(AllSoundsOn());

    TimeTimer = new QTimer(this);
    TimeTimer->setObjectName(QStringLiteral("TimeTimer"));
    TimeTimer->setInterval(1000);
    connect(TimeTimer, &QTimer::timeout, this, &TMain_F::TimeTimerTimer);
    TimeTimer->start();
    ScrollingTimer = new QTimer(this);
    ScrollingTimer->setObjectName(QStringLiteral("ScrollingTimer"));
    ScrollingTimer->setInterval(20);
    connect(ScrollingTimer, &QTimer::timeout, this, &TMain_F::ScrollingTimerTimer);
    // Applies the menu and toolbar appearance after the options dialog (which comes later).
    ToolBarTimer = new QTimer(this);
    ToolBarTimer->setObjectName(QStringLiteral("ToolBarTimer"));
    ToolBarTimer->setInterval(20);
    ToolBarTimer->setSingleShot(true);
    session->RedealTimer().setObjectName(QStringLiteral("redeal_timer"));
    session->WinTimer().setObjectName(QStringLiteral("WinTimer"));

    session->OnStateChanged = [this] { sessionStateChanged(); };

    hookTable();
    SetCaption(session->Caption());
    ApplyGameSettings(table->CurrentGameId);
    if (cards.RunMaximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    RefreshStatus();
    writeItemStates();
    qApp->installEventFilter(this);
    createSolverAids();
}

QWidget *TMain_F::MessageOwner()
{
    // A box belongs to the dialog that is open, so that it opens above it.
    QWidget *modal = QApplication::activeModalWidget();
    return modal && modal->isVisible() ? modal : this;
}

void TMain_F::showStartMessages()
{
    const QStringList messages = std::exchange(startMessages, {});
    const QStringList warnings = std::exchange(startWarnings, {});
    for (const QString &text : messages)
        prompts.inform(text);
    for (const QString &text : warnings)
        prompts.warn(text);
}

TMain_F::~TMain_F()
{
    stopSolverAids();
    qApp->removeEventFilter(this);
    // The toolbar goes first: it would report its place while the window comes down.
    delete std::exchange(Toolbar2, nullptr);
    if (engineState().Sounds == sounds.get())
        engineState().Sounds = nullptr;
    if (busyCursor)
        QApplication::restoreOverrideCursor();
    freePauseLabels();
    // The items are not written any more: the dialog they read goes first.
    session->OnStateChanged = nullptr;
    // The statistics outlive the window; the variants' blocks go with it.
    program.Data().statistics.CustomGameStats = nullptr;
    gameDialog.reset();
    session.reset();
    // Every reference into the piles goes before the table frees them.
    Board1->OnScoreChange = nullptr;
    Board1->OnRotationChange = nullptr;
    Board1->OnDeckTipChange = nullptr;
    Board1->OnGameStarted = nullptr;
    Board1->OnMadeMove = nullptr;
    Board1->OnCardCountText = nullptr;
    Board1->OnPileName = nullptr;
    if (table)
        table->ForgetPiles();
}

QTimer &TMain_F::redeal_timer() const
{
    return session->RedealTimer();
}

QTimer &TMain_F::WinTimer() const
{
    return session->WinTimer();
}

void TMain_F::applySettingsToTable()
{
    const CardsSettings &cards = program.Data().settings.Cards;
    EngineOptions &options = engineState().Options;
    options.HoverHighlight = cards.Highlight;
    options.CardMovement = std::clamp(cards.CardMovement, 0, 2);
    options.RightClick = cards.RightClick;
    options.FlipEnabled = cards.FlipEnabled;
    options.ShadowEnabled = cards.ShadowEnabled;
    options.DragSteps = std::clamp(cards.DragSteps, 1, 7);
    options.ClickSteps = cards.CardMovement == 0 ? 1 : std::clamp(cards.ClickSteps, 1, 7);
    engineState().ShowMessage = [this](const QString &text) { prompts.inform(text); };

    Board1->WarnEnabled = cards.Warnings;
    Board1->SpreadCards = cards.SpreadCards;
    Board1->SetShadowStyle(std::clamp(cards.ShadowStyle, 0, 2));
    Board1->FittingMethod = cards.FittingMethod;
    Board1->ShowScrollBars = cards.ScrollBars;
    Board1->TipsInStatus = cards.BuildingTips;
    Board1->ShowFinished = cards.Show_Finished;
    Board1->ShowEmptyOutline = cards.Show_Empty;
    Board1->Pattern_Type = cards.Pattern_Type;
    Board1->MyPlayCardMove = cards.Play_Card_Move;
    Board1->MyPlayDeckOver = cards.Play_Deck_Over;
    Board1->MyPlayCardDrag = cards.Play_Card_Drag;
    // Stored as 0x00BBGGRR.
    const int colour = cards.BoardColor;
    Board1->Color = QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    table->Play.ShowStuckMessage = cards.ShowStuckMessage;
}

QString TMain_F::RunCardBackMaker(const QString &pictureFile)
{
    TMakeBackDlg dialog(pictureFile, appearance->Sets().CustomBackFolder(),
                        QSize(cardPictures().CardWidth(), cardPictures().CardHeight()), program.Display().colourDepth(),
                        MessageOwner());
    return dialog.exec() == QDialog::Accepted ? dialog.SavedFile() : QString();
}

void TMain_F::MakeCardBack(const QString &pictureFile)
{
    CardsSettings &cards = program.Data().settings.Cards;
    const QString saved = RunCardBackMaker(pictureFile);
    if (saved.isEmpty())
        return;
    cards.Back = CardSets::PictureBack;
    cards.CustBackFile = saved;
    appearance->ApplyBack();
}

void TMain_F::applyBackground()
{
    const CardsSettings &cards = program.Data().settings.Cards;
    BackgroundChoice choice;
    choice.Color = Board1->Color;
    choice.Pattern_Type = cards.Pattern_Type;
    choice.Pattern_Name = cards.Pattern_Name;
    choice.Pattern_File = cards.Pattern_File;
    choice.Fade = cards.Fade;
    choice.Direction = cards.Direction;
    // Game 398 lays out a taller table; its gradient reaches further.
    background->SetScreen(program.Display().screenSize(), table->BaseGameId == 398 ? 650 : 300);
    background->Resize(ScrollBox1->viewport()->size());
    background->Apply(choice);
    paintBackground();
}

void TMain_F::paintBackground()
{
    Board1->Pattern_Type = background->Choice().Pattern_Type;
    Board1->OnPaint = [this](QPainter &painter, const QRect &area) {
        background->Paint(painter, area, -Board1->pos());
    };
    Board1->ResetBackgroundCache();
}

void TMain_F::hookTable()
{
    Board1->OnScoreChange = [this](TDeck *) { RefreshStatus(); };
    Board1->OnRotationChange = [this](TDeck *) { RefreshStatus(); };
    Board1->OnDeckTipChange = [this](TDeck *) { RefreshStatus(); };
    // A counted game is on file as not won from its first move, in case the run ends abruptly.
    Board1->OnGameStarted = [this](TDeck *) {
        pausedMilliseconds = 0;
        moveOffered = true;
        program.Data().statistics.guardStartedGame(table->CurrentGameId,
                                                   session->CountsForStatistics && !session->Demonstrated);
        writeItemStates();
    };
    Board1->OnMadeMove = [this](TDeck *) {
        writeItemStates();
        solverPositionChanged();
    };
    Board1->OnCardCountText = [this](const QString &text) {
        if (auto *note = qobject_cast<QLabel *>(menuBar()->cornerWidget()))
            note->setText(text);
    };
    auto *note = new QLabel(menuBar());
    note->setObjectName(QStringLiteral("MenuBarNote"));
    note->setContentsMargins(0, 0, 2, 0);
    menuBar()->setCornerWidget(note);
    Board1->setMouseTracking(true);
    Board1->installEventFilter(this);
}

// --- the status bar ---

void TMain_F::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    const char *names[] = {"PlayerPanel", "RedealsPanel", "ScorePanel", "TipPanel", "ClockPanel"};
    for (int index = 0; index < 5; ++index) {
        QLabel *panel = index == TipPanel ? new TipPanelLabel(bar) : new QLabel(bar);
        panel->setObjectName(QString::fromLatin1(names[index]));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        Panels[index] = panel;
        // Plain widgets: a long hint replaces all five panels while it shows.
        bar->addWidget(panel, index == TipPanel ? 1 : 0);
    }
    bar->setFixedHeight(bar->fontMetrics().height() + 7);
    Panels[PlayerPanel]->installEventFilter(this);
    Panels[PlayerPanel]->setToolTip(QStringLiteral("Double-click to edit the player list"));
    Panels[ClockPanel]->setText(QStringLiteral("0:00:00  "));
    showPlayer();
}

void TMain_F::showPlayer()
{
    Panels[PlayerPanel]->setText(QStringLiteral("Player: ") + program.Data().statistics.Players.current().Name);
    layoutPanels();
}

void TMain_F::layoutPanels()
{
    const QFontMetrics metrics(statusBar()->font());
    const int ell = metrics.horizontalAdvance(QStringLiteral("L1"));
    Panels[PlayerPanel]->setFixedWidth(metrics.horizontalAdvance(Panels[PlayerPanel]->text()) + ell);
    const QString redeals = Panels[RedealsPanel]->text();
    Panels[RedealsPanel]->setFixedWidth(redeals.isEmpty() ? 0 : metrics.horizontalAdvance(redeals) + ell);
    Panels[RedealsPanel]->setVisible(!redeals.isEmpty());
    const bool scored = Board1->Score() != -1000;
    Panels[ScorePanel]->setFixedWidth(scored ? metrics.horizontalAdvance(QStringLiteral("Score: $999LL")) : 0);
    Panels[ScorePanel]->setVisible(scored);
    const bool clock = program.Data().settings.Cards.Timer;
    Panels[ClockPanel]->setFixedWidth(clock ? metrics.horizontalAdvance(QStringLiteral("00:00:00     ")) : 0);
    Panels[ClockPanel]->setVisible(clock);
}

void TMain_F::RefreshStatus()
{
    const int score = Board1->Score();
    Panels[ScorePanel]->setText(score == -1000 ? QString() : QStringLiteral("Score: $%1").arg(score));
    Panels[RedealsPanel]->setText(RedealsText(*Board1));
    QString tip;
    if (table->Play.YouAreStuck)
        tip = QString::fromLatin1(MainText::YouAreStuck);
    else if (Board1->TipsInStatus)
        tip = Board1->StatusTip();
    if (tip.isEmpty())
        tip = QStringLiteral(" ");
    // While paused the panel stays empty; its text comes back on resume.
    if (paused)
        keptTipText = tip;
    else
        Panels[TipPanel]->setText(tip);
    layoutPanels();
    if (emptyTableNote) {
        placeEmptyTableNote();
        if (!session->GameDealt())
            SetCaption(QString());
    }
}

// --- GameHost ---

Confirmation TMain_F::Confirm(const QString &text, const QString &caption)
{
    return prompts.confirm(text, caption);
}

bool TMain_F::ConfirmNewGame() const
{
    return program.Data().settings.Cards.Confirm_New_Game;
}

void TMain_F::SetConfirmNewGame(bool value)
{
    program.Data().settings.Cards.Confirm_New_Game = value;
}

bool TMain_F::ShowStuckMessage() const
{
    return program.Data().settings.Cards.ShowStuckMessage;
}

bool TMain_F::AutoplayOff(int gameId) const
{
    return !AutoplayOn(gameId);
}

std::optional<quint32> TMain_F::AskShuffleNumber(const QStringList &recentNumbers)
{
    TShuffle_Form form(recentNumbers, this);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.Number();
}

void TMain_F::SetCaption(const QString &caption)
{
    // The caption names a game only while one is dealt.
    setWindowTitle(session && session->GameDealt() ? caption : QString::fromLatin1(ProgramTitle));
}

void TMain_F::ShowAutoplay(bool shown, bool checked)
{
    setItemShown(Autoplay1, shown);
    Autoplay1->setChecked(checked);
}

void TMain_F::sessionStateChanged()
{
    // A cleared table takes the offer of Show Next Move with its game.
    if (!session->GameDealt())
        moveOffered = false;
    // A snapshot belongs to the game it was taken in.
    if (!session->GameDealt() || session->Busy())
        snapshotTaken = false;
    writeItemStates();
    solverGameChanged();
}

void TMain_F::StoreWindowPlacement(int gameId)
{
    // A maximised window keeps the place it had before it was maximised.
    const bool maximised = isMaximized() || isFullScreen();
    if (GameWindowRecord *record = windowRecord(gameId))
        GameWindowRecords::storePlacement(*record, maximised ? normalFrame : frameGeometry(),
                                          appearance->WindowScaleFactors(), maximised && !normalFrame.isValid(),
                                          record->autoplayOn());
}

QSize TMain_F::FrameExtra() const
{
    // Known once the window manager has framed the window; nothing before.
    const QSize extra = frameGeometry().size() - size();
    return extra.expandedTo(QSize(0, 0));
}

QRect TMain_F::AvailableArea() const
{
    const QRect area = program.Display().workArea();
    if (area.isValid() && !area.isEmpty())
        return area;
    const QScreen *shown = screen() ? screen() : QGuiApplication::primaryScreen();
    return shown ? shown->availableGeometry() : QRect(0, 0, 1024, 768);
}

void TMain_F::ApplyGameSettings(int gameId)
{
    DataStore &data = program.Data();
    const GameWindowRecord *record = windowRecord(gameId);
    if (record && !isMaximized() && !isFullScreen()) {
        const WindowPlacement placement = data.windowRecords.placement(
            *record, appearance->WindowScaleFactors(), data.settings.Cards.SaveWindowPosition);
        // The record holds the outer size; a stored place is kept within the screen's available area.
        const QRect area = AvailableArea();
        const QSize size = placement.size.boundedTo(area.size()).expandedTo(QSize(200, 150));
        resize(size - FrameExtra());
        if (placement.topLeft) {
            const int left = std::clamp(placement.topLeft->x(), area.left(), std::max(area.left(), area.right() + 1 - size.width()));
            const int top = std::clamp(placement.topLeft->y(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height()));
            move(left, top);
        }
    }
    const bool on = AutoplayOn(gameId);
    Autoplay1->setChecked(on);
    setItemShown(Autoplay1, HasAutomaticPlay(gameId, table->Customs));
    GameHelp1->setText(GameName(gameId, table->Customs) + QStringLiteral(" Help"));
}

void TMain_F::AddToRecentlyPlayed(int gameId)
{
    gameDialog->Groups.AddToRecentlyPlayed(gameId);
}

void TMain_F::SetBusyCursor(bool busy)
{
    if (busy == busyCursor)
        return;
    busyCursor = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TMain_F::FitWindowToTable()
{
    Board1->VerticalScale = Board1->HorizontalScale = 1.0;
    Board1->VerticalOffset = Board1->HorizontalOffset = 0;
    Board1->Relayout();
    if (!isMaximized() && !isFullScreen()) {
        // The client area grows to the table where it is smaller, within the screen.
        const QSize shortfall = tableRoomShortfall();
        const int wider = shortfall.width();
        const int higher = shortfall.height();
        if (wider > 0 || higher > 0) {
            const QSize room = AvailableArea().size() - FrameExtra();
            const QSize grown = QSize(size().width() + std::max(0, wider), size().height() + std::max(0, higher))
                                    .boundedTo(room);
            resize(grown);
        }
    }
    fitTable();
}

void TMain_F::fitTable()
{
    // Fitting starts from the plain layout every time, so it never compounds.
    for (int pass = 0; pass < 2; ++pass) {
        const QSize before = ScrollBox1->viewport()->size();
        Board1->VerticalScale = Board1->HorizontalScale = 1.0;
        Board1->VerticalOffset = Board1->HorizontalOffset = 0;
        if (!Board1->FitToWindow())
            Board1->Relayout();
        ScrollBox1->SetTableExtent(Board1->TableRight(), Board1->TableBottom());
        // Scroll bars that came or went change the area once more.
        if (ScrollBox1->viewport()->size() == before)
            break;
    }
    Board1->RefreshUnderMouse();
    Board1->update();
}

void TMain_F::TableAreaChanged()
{
    // A stretched picture is stretched again to the new area.
    if (background->Resize(ScrollBox1->viewport()->size()))
        Board1->update();
    if (session->GameDealt() && !session->Busy() && !engineState().Busy && !Board1->Moving && !Board1->IsDragging()) {
        appearance->FollowArea(table->BaseGameId, ScrollBox1->size());
        fitTable();
    } else if (session->GameDealt()) {
        // A move or a drag is under way: fit once it is over.
        fitTimer->start(50);
    }
    placeEmptyTableNote();
}

void TMain_F::AdaptCardPictures()
{
    CardsSettings &cards = program.Data().settings.Cards;
    background->SetScreen(program.Display().screenSize(), table->BaseGameId == 398 ? 650 : 300);
    if (cards.RandomBackground && (cards.Pattern_Type == 1 || cards.Pattern_Type == 2)
        && background->ChooseRandom([](int count) { return int(QRandomGenerator::global()->bounded(qMax(1, count))); })) {
        // A pick that could not be read shows the colour but keeps the player's choice.
        if (const BackgroundChoice &picked = background->Choice(); picked.Pattern_Type != 0) {
            cards.Pattern_Type = picked.Pattern_Type;
            cards.Pattern_Name = picked.Pattern_Name;
            cards.Pattern_File = picked.Pattern_File;
        }
        paintBackground();
    }
    appearance->PrepareForDeal(table->BaseGameId, ScrollBox1->size(), program.Display().screenSize());
}

void TMain_F::placeEmptyTableNote()
{
    const bool empty = !session->GameDealt() && !session->WinTimer().isActive();
    emptyTableNote->setVisible(empty);
    if (empty)
        emptyTableNote->setGeometry(ScrollBox1->viewport()->rect());
}

void TMain_F::ResetScrollBars()
{
    ScrollBox1->ResetScrolling();
}

void TMain_F::RecordNotWon(const FinishedGame &game)
{
    if (game.Demonstrated)
        return;
    program.Data().statistics.recordResult(gameResult(game, pausedMilliseconds), game.CountsForStatistics);
    // The close sequence reports its own failures at the next start.
    if (!closeSequenceRan)
        showWriteFailures();
}

void TMain_F::showWriteFailures()
{
    QStringList texts;
    while (const std::optional<QString> failure = program.Data().statistics.takeWriteFailure())
        texts << CloseReport::whilePlaying(*failure);
    if (!texts.isEmpty())
        statusBar()->showMessage(texts.join(u' '));
}

void TMain_F::Wait(int milliseconds)
{
    if (prompts.wait) {
        prompts.wait(milliseconds);
        return;
    }
    if (!isVisible())
        return;
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void TMain_F::FlashWindow()
{
    // The task bar's attention mark, and the window's own flash: each call turns the light
    // cover over the table on or off, so an even number of flashes ends as it began.
    QApplication::alert(this, 150);
    if (!flashCover) {
        flashCover = new QWidget(ScrollBox1->viewport());
        flashCover->setObjectName(QStringLiteral("FlashCover"));
        flashCover->setAttribute(Qt::WA_TransparentForMouseEvents);
        flashCover->setStyleSheet(QStringLiteral("background: rgba(255, 255, 255, 110);"));
        flashCover->hide();
    }
    flashCover->setGeometry(ScrollBox1->viewport()->rect());
    flashCover->setVisible(!flashCover->isVisible());
    flashCover->raise();
}

void TMain_F::StartSounds()
{
    StartSounds(std::make_unique<SoundEffects>());
}

void TMain_F::StartSounds(std::unique_ptr<SoundPlayer> player)
{
    if (engineState().Sounds == sounds.get())
        engineState().Sounds = nullptr;
    sounds = std::move(player);
    engineState().Sounds = sounds.get();
}

void TMain_F::PlayNewGameSound()
{
    if (program.Data().settings.Cards.PlayShuffle)
        engineState().PlaySound(EngineSound::SHUFFLE);
}

void TMain_F::PlayWinSound()
{
    if (program.Data().settings.Cards.Play_Win_G)
        engineState().PlaySound(EngineSound::PLYWIN);
}

void TMain_F::ShowWonBackground(bool shown)
{
    if (shown)
        Board1->OnPaint = [](QPainter &painter, const QRect &area) { painter.fillRect(area, QBrush(wonTile())); };
    else
        paintBackground();
    Board1->ResetBackgroundCache();
    Board1->update();
}

WonChoice TMain_F::RecordWinAndShowWonDialog(const FinishedGame &game, const QString &gameName)
{
    DataStore &data = program.Data();
    const GameResult result = gameResult(game, pausedMilliseconds);
    WonFigures figures;
    // A game the demonstration played leaves no trace.
    if (game.Demonstrated)
        figures.statisticsShown = false;
    else
        figures = RecordWin(data.statistics, result, game.CountsForStatistics, data.settings.Cards.recordsStatistics());
    figures.duration = result.EndTime - result.StartTime;
    if (prompts.wonDialog)
        return prompts.wonDialog(gameName, figures);
    TWinDlg dialog(gameName, figures, this);
    offerComment(dialog, result);
    switch (dialog.exec()) {
    case TWinDlg::NewGameResult:
        return WonChoice::NewGame;
    case TWinDlg::SelectGameResult:
        return WonChoice::SelectGame;
    default:
        return WonChoice::Cancel;
    }
}

// --- ShellWindow and GameDlgHost ---

void TMain_F::BringToFront()
{
    RestoreWindow();
    show();
    raise();
    activateWindow();
}

void TMain_F::CloseWithoutConfirmation()
{
    closingWithoutConfirmation = true;
    // Open dialogs run event loops of their own: they end first, answering Cancel.
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *dialog = qobject_cast<QDialog *>(widget); dialog && dialog->isVisible())
            dialog->reject();
    close();
}

void TMain_F::SelectSolitaire()
{
    if (paused)
        Resume();
    StoreWindowPlacement(table->CurrentGameId);
    const int chosen = gameDialog->Choose();
    DataStore &data = program.Data();
    data.settings.Cards.Group = gameDialog->GameType();
    if (chosen < 0)
        return;
    table->PreviousGameId = table->CurrentGameId;
    table->CurrentGameId = chosen;
    ApplyGameSettings(chosen);
    session->NewGame();
}

void TMain_F::ApplyCommandLine()
{
    const CommandLineChoice &choice = program.CommandLine;
    if (!choice.playerName.isEmpty() && program.Data().statistics.Players.choose(choice.playerName))
        showPlayer();
    savedGameToOpen = choice.fileName;
    openGameAtStart();
}

int TMain_F::CurrentGameId() const
{
    return table->CurrentGameId;
}

bool TMain_F::AutoplayOn(int gameId) const
{
    const GameWindowRecord *record = windowRecord(gameId);
    return !record || record->autoplayOn();
}

void TMain_F::SetAutoplayOn(int gameId, bool on)
{
    if (GameWindowRecord *record = windowRecord(gameId))
        record->AutoplayOff = on ? 0 : 1;
    if (gameId == table->CurrentGameId) {
        table->Play.AutomaticMoves = on;
        Autoplay1->setChecked(on);
    }
}

void TMain_F::ShowHelpTopic(int topic)
{
    Help().ShowTopic(topic);
}

HelpWindow &TMain_F::Help()
{
    if (!helpWindow) {
        CardsSettings &cards = program.Data().settings.Cards;
        helpWindow = new HelpWindow(cards.HelpWidth, cards.HelpHeight, this);
    }
    return *helpWindow;
}

QString TMain_F::TipsFile() const
{
    const QString folder = program.Data().locations.programFolder;
    return folder.isEmpty() ? QString() : QDir(folder).filePath(QString::fromLatin1(TipText::FileName));
}

bool TMain_F::TipsAvailable() const
{
    const QString file = TipsFile();
    return !file.isEmpty() && QFileInfo(file).isFile();
}

void TMain_F::ShowTipOfTheDay()
{
    CardsSettings &cards = program.Data().settings.Cards;
    TfmTipOfTheDay tips(TipsFile(), cards.Tip, cards.TipShowAtStartup, this);
    tips.exec();
    cards.Tip = tips.TipNumber();
    cards.TipShowAtStartup = tips.ShowAtStartup();
}

void TMain_F::Contents_MIClick()
{
    ShowHelpTopic(HelpTopic::Contents);
}

void TMain_F::HelpMenuItemClick()
{
    ShowHelpTopic(HelpTopic::QuickStart);
}

void TMain_F::HowTo1Click()
{
    ShowHelpTopic(HelpTopic::HowTo);
}

bool TMain_F::ConfirmOnDeleteGame() const
{
    return program.Data().settings.Cards.Confirm_On_Delete_Game;
}

void TMain_F::SetConfirmOnDeleteGame(bool on)
{
    program.Data().settings.Cards.Confirm_On_Delete_Game = on;
}

void TMain_F::EditPlayers()
{
    DataStore &data = program.Data();
    PlayerListContext context;
    context.players = &data.statistics.Players;
    context.today = data.statistics.today();
    context.log = &data.log;
    context.shortcuts = shortcuts.get();
    // Every player has a statistics record for every variant.
    context.hooks = [this, today = context.today] {
        PlayerListHooks hooks;
        hooks.added = [this, today](const QString &name) { variants->List.addStatisticsForPlayer(name, today); };
        hooks.renamed = [this](const QString &oldName, const QString &newName) {
            variants->List.renamePlayer(oldName, newName);
        };
        hooks.deleted = [this](const QString &name) { variants->List.deletePlayerStatistics(name); };
        return hooks;
    };
    QWidget *over = gameDialog->isVisible() ? static_cast<QWidget *>(gameDialog.get()) : this;
    PlayerListDialog dialog(context, data.statistics.Players.current().Name, over);
    connect(&dialog, &PlayerListDialog::PlayersChanged, this, &TMain_F::showPlayer);
    dialog.exec();
}

// --- other commands ---

void TMain_F::Sound1Click()
{
    // All sounds off when every one is on, else all on (some on counts as not all on).
    SetAllSounds(!AllSoundsOn());
}

bool TMain_F::AllSoundsOn() const
{
    const CardsSettings &cards = program.Data().settings.Cards;
    return cards.Play_Card_Move && cards.Play_Deck_Over && cards.Play_Card_Drag && cards.Play_Win_G
           && cards.PlayShuffle;
}

void TMain_F::SetAllSounds(bool on)
{
    CardsSettings &cards = program.Data().settings.Cards;
    cards.Play_Card_Move = cards.Play_Deck_Over = cards.Play_Card_Drag = cards.Play_Win_G = cards.PlayShuffle = on;
    Board1->MyPlayCardMove = Board1->MyPlayDeckOver = Board1->MyPlayCardDrag = on;
    Sound1->setChecked(on);
}

void TMain_F::Exit_MIClick()
{
    if (paused)
        Resume();
    close();
}

void TMain_F::StatusBarMenuClick()
{
    const bool shown = StatusBarMenu->isChecked();
    program.Data().settings.Cards.StatusBar = shown;
    statusBar()->setVisible(shown);
}

void TMain_F::IncreaseCardSize2Click()
{
    stepCardSize(+1);
}

void TMain_F::DecreaseCardSize1Click()
{
    stepCardSize(-1);
}

void TMain_F::stepCardSize(int step)
{
    resizingCards = true;
    writeItemStates();
    if (appearance->StepSize(step))
        FitWindowToTable();
    resizingCards = false;
    writeItemStates();
}

void TMain_F::About1Click()
{
    AboutBox about(this);
    about.exec();
}

// --- scrolling while a card is dragged beyond the visible area ---

void TMain_F::startDragScrolling()
{
    if (ScrollingTimer->isActive() || !Board1->IsDragging())
        return;
    const QPoint cursor = ScrollBox1->viewport()->mapFromGlobal(prompts.cursorPosition());
    if (!ScrollBox1->viewport()->rect().contains(cursor))
        ScrollingTimer->start();
}

void TMain_F::ScrollingTimerTimer()
{
    TCard *card = Board1->DraggedCard();
    if (!Board1->IsDragging() || !card) {
        ScrollingTimer->stop();
        return;
    }
    QWidget *view = ScrollBox1->viewport();
    const QPoint cursor = view->mapFromGlobal(prompts.cursorPosition());
    const bool withinX = cursor.x() >= 0 && cursor.x() < view->width();
    const bool withinY = cursor.y() >= 0 && cursor.y() < view->height();
    QScrollBar *scroll = nullptr;
    int step = 0;
    if (withinX && !withinY) {
        scroll = ScrollBox1->verticalScrollBar();
        step = cursor.y() < 0 ? -1 : 1;
    } else if (withinY && !withinX) {
        scroll = ScrollBox1->horizontalScrollBar();
        step = cursor.x() < 0 ? -1 : 1;
    } else {
        // Inside the box, or in a corner outside it.
        ScrollingTimer->stop();
        return;
    }
    const int target = std::clamp(scroll->value() + step * scroll->singleStep(), scroll->minimum(), scroll->maximum());
    if (target != scroll->value()) {
        Board1->EraseDragImage(card);
        scroll->setValue(target);
        Board1->RedrawDragImage(card);
    }
    // The drag goes on at the cursor's new place over the table.
    const QPoint onTable = Board1->mapFromGlobal(prompts.cursorPosition());
    QMouseEvent move(QEvent::MouseMove, onTable, prompts.cursorPosition(), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(Board1, &move);
}

// --- minimising, the tray and closing ---

void TMain_F::MinimizeWindow()
{
    const CardsSettings &cards = program.Data().settings.Cards;
    if (!engineState().Busy && pauseAvailable() && !paused)
        Pause1Click();
    if (cards.Tray && QSystemTrayIcon::isSystemTrayAvailable()) {
        if (!trayIcon) {
            trayIcon = new QSystemTrayIcon(windowIcon(), this);
            trayIcon->setToolTip(QString::fromLatin1(ProgramTitle));
            PopupMenu1 = new QMenu(this);
            PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
            QAction *showItem = PopupMenu1->addAction(QStringLiteral("Show Tarnwick"), this, [this] {
                QWidget *box = askingExit ? QApplication::activeModalWidget() : nullptr;
                if (box)
                    box->raise();
                else
                    RestoreWindow();
            });
            PopupMenu1->setDefaultAction(showItem);
            PopupMenu1->addSeparator();
            PopupMenu1->addAction(QStringLiteral("E&xit"), this, &TMain_F::Exit_MIClick);
            trayIcon->setContextMenu(PopupMenu1);
            connect(trayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger)
                    RestoreWindow();
            });
        }
        trayIcon->show();
        hide();
        return;
    }
    if (!isMinimized())
        showMinimized();
}

void TMain_F::RestoreWindow()
{
    if (trayIcon)
        trayIcon->hide();
    if (isHidden() || isMinimized()) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        show();
    }
    activateWindow();
    if (!engineState().Busy && pauseAvailable() && paused)
        Resume();
}

void TMain_F::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const auto *change = static_cast<QWindowStateChangeEvent *>(event);
    if (isMinimized() && !(change->oldState() & Qt::WindowMinimized))
        QTimer::singleShot(0, this, &TMain_F::MinimizeWindow);
    else if (!isMinimized() && (change->oldState() & Qt::WindowMinimized) && paused && !engineState().Busy)
        Resume();
    else if (!isMaximized() && !isMinimized() && (change->oldState() & Qt::WindowMaximized))
        // Back from maximised: the game's own placement again.
        QTimer::singleShot(0, this, [this] { ApplyGameSettings(table->CurrentGameId); });
    if (fitTimer)
        fitTimer->start();
}

void TMain_F::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    rememberNormalFrame();
    if (paused)
        showPauseLabels();
}

void TMain_F::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    // The window manager tells the frame only after the window is shown: once it is known,
    // a window whose frame runs past the available area is brought back within it.
    if (!frameKnown && isVisible() && FrameExtra() != QSize(0, 0)) {
        frameKnown = true;
        QTimer::singleShot(0, this, &TMain_F::keepFrameOnScreen);
    }
    rememberNormalFrame();
}

void TMain_F::keepFrameOnScreen()
{
    if (windowState() != Qt::WindowNoState)
        return;
    const QRect area = AvailableArea();
    const QRect frame = frameGeometry();
    if (area.contains(frame))
        return;
    const QSize outer = frame.size().boundedTo(area.size());
    resize(outer - FrameExtra());
    const int left = std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() + 1 - outer.width()));
    const int top = std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height()));
    move(left, top);
}

void TMain_F::rememberNormalFrame()
{
    if (windowState() == Qt::WindowNoState && isVisible())
        normalFrame = frameGeometry();
}

bool TMain_F::askExit()
{
    if (closingWithoutConfirmation || !program.Data().settings.Cards.Confirm_On_Exit)
        return true;
    if (askingExit) {
        // A second request while the box is open brings it to the front.
        if (QWidget *box = QApplication::activeModalWidget()) {
            box->raise();
            box->activateWindow();
        }
        return false;
    }
    askingExit = true;
    const Confirmation answer =
        prompts.confirm(QString::fromLatin1(MainText::ConfirmExit), QString::fromLatin1(ProgramTitle));
    askingExit = false;
    if (answer.DontShowAgain)
        program.Data().settings.Cards.Confirm_On_Exit = false;
    return answer.Ok;
}

void TMain_F::closeEvent(QCloseEvent *event)
{
    if (closeSequenceRan) {
        event->accept();
        return;
    }
    if (!askExit()) {
        event->ignore();
        return;
    }
    runCloseSequence();
    event->accept();
    if (closingWithoutConfirmation)
        QCoreApplication::exit(0);
}

void TMain_F::runCloseSequence()
{
    closeSequenceRan = true;
    stopSolverAids();
    if (paused)
        Resume();
    TimeTimer->stop();
    ScrollingTimer->stop();
    session->RedealTimer().stop();
    Board1->AutoTimer()->stop();
    DataStore &data = program.Data();
    CardsSettings &cards = data.settings.Cards;
    cards.RunMaximized = isMaximized();
    cards.Game = table->CurrentGameId;
    cards.Group = gameDialog->GameType();
    cards.StatusBar = StatusBarMenu->isChecked();
    cards.tbconf = Toolbar2->Lists.Layout();
    CloseSteps steps;
    steps.endAbandonedGame = [this] { saveOrRemoveAutomaticSave(); };
    steps.storeWindowPlacement = [this] { StoreWindowPlacement(table->CurrentGameId); };
    saveVariantsAndGroups(steps);
    steps.saveToolbarPositions = [this] { Toolbar2->SavePosition(program.Data().locations.toolbarSettingsFile()); };
    saveFailures = data.saveAtClose(steps);
    saved = true;
}

// --- the keys and clicks the window handles for the whole program ---

bool TMain_F::belongsToWindow(QObject *object) const
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget) {
        auto *window = qobject_cast<QWindow *>(object);
        return window && window == windowHandle();
    }
    return widget->window() == this;
}

bool TMain_F::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Panels[PlayerPanel] && event->type() == QEvent::MouseButtonDblClick) {
        EditPlayers();
        return true;
    }
    if (watched == ScrollBox1 && event->type() == QEvent::Resize)
        fitTimer->start();
    if (watched == Board1 && event->type() == QEvent::MouseMove) {
        // The menu-bar note goes as soon as the mouse moves over the table.
        if (auto *note = qobject_cast<QLabel *>(menuBar()->cornerWidget()); note && !note->text().isEmpty())
            note->clear();
        if (Board1->IsDragging())
            startDragScrolling();
    }
    return applicationFilter(watched, event);
}

bool TMain_F::applicationFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // The window runs its menu keys itself, on key press.
        auto *key = static_cast<QKeyEvent *>(event);
        if (isActiveWindow() && belongsToWindow(watched) && (paused || itemForKey(key))) {
            event->accept();
            return true;
        }
        return false;
    }
    case QEvent::KeyPress: {
        // Only while the main window is active: the keys never reach past a dialog.
        if (!isActiveWindow() || !belongsToWindow(watched))
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Control && engineState().Options.HoverHighlight)
            Board1->SetHighLightedDeck(nullptr);
        if (engineState().Busy || Board1->Moving)
            return itemForKey(key) != nullptr;
        if (paused) {
            Resume();
            return true;
        }
        // Escape puts back cards the keys picked up before it minimises.
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier
            && program.Data().settings.Cards.Minimize_On_ESC && !Board1->KeyboardHeldCard()) {
            MinimizeWindow();
            return true;
        }
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier && table->Stock) {
            TDeck *stock = table->Stock;
            if (!stock->TopCard() || !stock->TopCard()->Face()) {
                Board1->ClearHighlightAndSelection();
                Board1->SelectedDeck = nullptr;
                stock->Click();
            }
            return true;
        }
        return handleShortcut(key);
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        if (!belongsToWindow(watched) || qobject_cast<QWindow *>(watched))
            return false;
        auto *mouse = static_cast<QMouseEvent *>(event);
        const Qt::MouseButtons held = mouse->buttons();
        if ((mouse->button() == Qt::RightButton && (held & Qt::LeftButton))
            || (mouse->button() == Qt::LeftButton && (held & Qt::RightButton)))
            return true;
        // A double-click of the middle button is not a second press.
        if (mouse->button() == Qt::MiddleButton && event->type() == QEvent::MouseButtonDblClick)
            return true;
        if (mouse->button() == Qt::MiddleButton && !(held & Qt::RightButton)) {
            if (engineState().Busy || Board1->Moving)
                return true;
            if (paused)
                Resume();
            else if (UndoAllowed())
                NewUndo1Click();
            return true;
        }
        // A click on the window or the table ends the pause (the menu bar resumes through its commands).
        if (paused && mouse->button() == Qt::LeftButton && !qobject_cast<QMenuBar *>(watched)
            && !qobject_cast<QMenu *>(watched)) {
            Resume();
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}
