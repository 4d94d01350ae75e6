#include "app/card_sets_page.h"

#include "app/preview_loader.h"
#include "engine/card_pictures.h"
#include "store/settings.h"

#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

const QString CardSetsPage::DefaultSetName = QStringLiteral("<Default>");
const QString CardSetsPage::RemoveQuestion =
    QStringLiteral("You are going to permanently remove '%s' card set. Are you sure you want to proceed?");
const QString CardSetsPage::RemoveFailure =
    QStringLiteral("'%s' card set is used by other application or you do not have permissions to delete this file");

namespace {
constexpr int NumberRole = Qt::UserRole;
constexpr int FileRole = Qt::UserRole + 1;
} // namespace

CardSetsPage::CardSetsPage(const OptionsContext &options, QWidget *parent) : OptionsPage(parent), context(options)
{
    SetList = new QListWidget(this);
    SetList->setContextMenuPolicy(Qt::CustomContextMenu);
    auto *first = new QListWidgetItem(DefaultSetName, SetList);
    first->setData(NumberRole, 0);
    QList<CardSetInfo> sets = context.Sets;
    std::sort(sets.begin(), sets.end(),
              [](const CardSetInfo &a, const CardSetInfo &b) { return a.Name.compare(b.Name, Qt::CaseInsensitive) < 0; });
    for (const CardSetInfo &set : sets) {
        auto *item = new QListWidgetItem(set.Name, SetList);
        item->setData(NumberRole, set.Number);
        item->setData(FileRole, set.FileName);
    }
    Description = new QLabel(this);
    Description->setWordWrap(true);
    auto *sizes = new QGroupBox(QStringLiteral("Card Size"), this);
    auto *sizeRows = new QVBoxLayout(sizes);
    const char *names[] = {"Small size", "Normal size", "Large size"};
    for (std::size_t index = 0; index < Size.size(); ++index) {
        Size[index] = new QRadioButton(QString::fromLatin1(names[index]), sizes);
        sizeRows->addWidget(Size[index]);
        connect(Size[index], &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                sizeChosen();
        });
    }
    cbAutoSizing = new QCheckBox(QStringLiteral("Automatic card sizing"), sizes);
    cbScaleCards = new QCheckBox(QStringLiteral("Cards follow the window size"), sizes);
    sizeRows->addWidget(cbAutoSizing);
    sizeRows->addWidget(cbScaleCards);
    connect(cbScaleCards, &QCheckBox::toggled, this, [this] {
        setChosen();
        touched = touched || !filling;
    });
    connect(cbAutoSizing, &QCheckBox::toggled, this, [this] { touched = touched || !filling; });
    cbRandomSet = new QCheckBox(QStringLiteral("Select random card set"), this);
    cbRandomSet->setEnabled(SetList->count() > 1 && context.ColourDepth > 8);
    Preview = new QLabel(this);
    Preview->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto *previewArea = new QScrollArea(this);
    previewArea->setWidget(Preview);
    previewArea->setWidgetResizable(true);
    previewArea->setMinimumHeight(4 * (96 + 4) + 8);

    auto *grid = new QGridLayout(this);
    grid->addWidget(SetList, 0, 0);
    grid->addWidget(sizes, 0, 1);
    grid->addWidget(Description, 1, 0, 1, 2);
    grid->addWidget(cbRandomSet, 2, 0, 1, 2);
    grid->addWidget(previewArea, 3, 0, 1, 2);
    grid->setRowStretch(3, 1);

    connect(SetList, &QListWidget::currentRowChanged, this, [this] {
        setChosen();
        touched = touched || !filling;
    });
    connect(SetList, &QWidget::customContextMenuRequested, this, &CardSetsPage::removeSelectedSet);
}

CardSetsPage::~CardSetsPage()
{
    StopLoading();
}

void CardSetsPage::StartLoading()
{
    loading = true;
    drawPreview();
}

void CardSetsPage::StopLoading()
{
    loading = false;
    if (loader)
        loader->Stop();
}

int CardSetsPage::selectedSet() const
{
    const QListWidgetItem *item = SetList->currentItem();
    return item ? item->data(NumberRole).toInt() : 0;
}

int CardSetsPage::selectedSize() const
{
    for (std::size_t index = 0; index < Size.size(); ++index)
        if (Size[index]->isChecked())
            return int(index);
    return 1;
}

void CardSetsPage::setChosen()
{
    const int number = selectedSet();
    std::array<bool, 3> offered = context.DefaultSizes;
    QStringList description;
    for (const CardSetInfo &set : context.Sets)
        if (set.Number == number) {
            offered = set.Sizes;
            description = set.Description;
        }
    Description->setText(description.join(QStringLiteral(";\n")));
    const bool following = cbScaleCards->isChecked();
    int size = selectedSize();
    for (std::size_t index = 0; index < Size.size(); ++index)
        Size[index]->setEnabled(offered[index] && !following);
    // A size the set does not offer gives way to the largest it does.
    if (!offered[std::size_t(size)])
        for (int index = 2; index >= 0; --index)
            if (offered[std::size_t(index)]) {
                size = index;
                break;
            }
    const bool wasFilling = filling;
    filling = true;
    Size[std::size_t(size)]->setChecked(true);
    filling = wasFilling;
    drawPreview();
}

void CardSetsPage::sizeChosen()
{
    touched = touched || !filling;
    drawPreview();
}

QImage CardSetsPage::FacesPreview(const CardSetEnvironment &environment, int set, int size)
{
    CardPictures pictures;
    CardSets sets(pictures, environment);
    sets.LoadSet(set, size);
    const int width = pictures.CardWidth(), height = pictures.CardHeight(), gap = 4;
    QImage preview(13 * width + 14 * gap, 4 * height + 5 * gap, QImage::Format_ARGB32_Premultiplied);
    preview.fill(QColor(0, 128, 0));
    QPainter painter(&preview);
    const int suits[] = {1, 2, 4, 3}; // clubs, diamonds, spades, hearts
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 13; ++column) {
            const int rank = 13 - column;
            const QImage &face = pictures.Picture((suits[row] - 1) * 13 + rank);
            painter.drawImage(QRect(gap + column * (width + gap), gap + row * (height + gap), width, height), face);
        }
    return preview;
}

void CardSetsPage::drawPreview()
{
    const int set = selectedSet(), size = selectedSize();
    if (!loading || (set == previewSet && size == previewSize))
        return;
    previewSet = set;
    previewSize = size;
    previewReady = false;
    if (loader)
        loader->Stop();
    CardSetEnvironment environment = context.Environment;
    environment.Inform = nullptr; // no box from the worker
    loader = std::make_unique<PreviewLoader>(
        std::vector<PreviewLoader::Job>{[environment, set, size] { return FacesPreview(environment, set, size); }});
    // A preview of an earlier choice still on its way is dropped.
    connect(loader.get(), &PreviewLoader::Ready, this, [this, drawing = ++drawings](int, const QImage &picture) {
        if (drawing != drawings)
            return;
        Preview->setPixmap(QPixmap::fromImage(picture));
        previewReady = true;
        Q_EMIT PreviewDrawn();
    }, Qt::QueuedConnection);
    loader->Start();
}

void CardSetsPage::removeSelectedSet(const QPoint &at)
{
    QListWidgetItem *item = SetList->itemAt(at);
    if (!item)
        return;
    SetList->setCurrentItem(item);
    QMenu menu(this);
    QAction *remove = menu.addAction(QStringLiteral("Remove selected card set"));
    remove->setEnabled(SetList->row(item) > 0);
    if (menu.exec(SetList->viewport()->mapToGlobal(at)) != remove)
        return;
    QString question = RemoveQuestion;
    if (!context.AskYesNo || !context.AskYesNo(question.replace(QStringLiteral("%s"), item->text())))
        return;
    if (!QFile::remove(item->data(FileRole).toString())) {
        QString failure = RemoveFailure;
        if (context.Inform)
            context.Inform(failure.replace(QStringLiteral("%s"), item->text()));
        return;
    }
    delete item;
    SetList->setCurrentRow(0);
}

void CardSetsPage::Fill(const CardsSettings &settings)
{
    filling = true;
    int row = 0;
    for (int index = 0; index < SetList->count(); ++index)
        if (SetList->item(index)->data(NumberRole).toInt() == settings.CardDeck)
            row = index;
    Size[std::size_t(std::clamp(settings.CardSize, 0, 2))]->setChecked(true);
    cbAutoSizing->setChecked(settings.AutoCardSizing);
    cbScaleCards->setChecked(settings.ScaleCards);
    cbRandomSet->setChecked(settings.RandomCardSet);
    SetList->setCurrentRow(row);
    setChosen();
    filling = false;
}

void CardSetsPage::Read(CardsSettings &settings) const
{
    settings.RandomCardSet = cbRandomSet->isChecked();
    settings.AutoCardSizing = cbAutoSizing->isChecked();
    settings.ScaleCards = cbScaleCards->isChecked();
    if (!touched)
        return;
    settings.CardDeck = selectedSet();
    settings.CardSize = selectedSize();
}
