#include "app/card_backs_page.h"

#include "app/card_appearance.h"
#include "app/preview_loader.h"
#include "engine/card_pictures.h"
#include "look/picture_file.h"
#include "store/settings.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLocale>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int SizeRole = Qt::UserRole + 1;
constexpr QSize PreviewCard{71, 96};
constexpr int CellWidth = 92, CellHeight = 14 + 96 + 26;

bool isBackPicture(const QFileInfo &file)
{
    const QString suffix = file.suffix().toLower();
    if (suffix == QLatin1String("bmp"))
        return true;
    return (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
           && PictureFile::IsValidJpegFile(file.filePath());
}

QString displayName(const QFileInfo &file)
{
    QString name = file.completeBaseName();
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    return name;
}

// A back as the grid shows it: on a window-coloured card, inside the card's outline unless
// the border is hidden.
QImage backPreview(const QImage &picture, bool hideBorder, QColor window)
{
    QImage preview(PreviewCard, QImage::Format_ARGB32_Premultiplied);
    preview.fill(Qt::transparent);
    QPainter painter(&preview);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath card;
    card.addRoundedRect(QRectF(0.5, 0.5, PreviewCard.width() - 1, PreviewCard.height() - 1), 4, 4);
    painter.fillPath(card, window);
    painter.setClipPath(card);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const int inset = hideBorder ? 0 : 3;
    painter.drawImage(QRect(QPoint(inset, inset), PreviewCard - QSize(2 * inset, 2 * inset)), picture);
    painter.setClipping(false);
    painter.setPen(QColor(0, 0, 0));
    painter.drawPath(card);
    return preview;
}

// The cells: the preview centred 14 pixels from the top, the name below it, a 2-pixel frame
// in the highlight colour round a selected cell and a red one round a focused cell.
class BackCell : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override { return {CellWidth, CellHeight}; }
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QRect cell = option.rect;
        painter->fillRect(cell, option.palette.base());
        const QPixmap preview = index.data(Qt::DecorationRole).value<QPixmap>();
        const QRect picture(cell.left() + (cell.width() - PreviewCard.width()) / 2, cell.top() + 14,
                            PreviewCard.width(), PreviewCard.height());
        if (!preview.isNull())
            painter->drawPixmap(picture, preview);
        painter->setPen(option.palette.text().color());
        painter->drawText(QRect(cell.left(), picture.bottom() + 2, cell.width(), cell.bottom() - picture.bottom() - 2),
                          Qt::AlignHCenter | Qt::AlignTop,
                          option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, cell.width() - 4));
        const bool selected = option.state & QStyle::State_Selected;
        if (selected || (option.state & QStyle::State_HasFocus)) {
            painter->setPen(QPen(selected ? option.palette.highlight().color() : QColor(Qt::red), 2));
            painter->drawRect(cell.adjusted(2, 2, -2, -2));
        }
    }
};

} // namespace

CardBacksPage::CardBacksPage(const OptionsContext &options, QWidget *parent) : OptionsPage(parent), context(options)
{
    Tree = new QTreeWidget(this);
    Tree->setHeaderHidden(true);
    Tree->setMaximumWidth(200);
    Grid = new QListWidget(this);
    Grid->setViewMode(QListView::IconMode);
    Grid->setResizeMode(QListView::Adjust);
    Grid->setMovement(QListView::Static);
    Grid->setGridSize(QSize(CellWidth, CellHeight));
    Grid->setItemDelegate(new BackCell(Grid));
    Grid->setContextMenuPolicy(Qt::CustomContextMenu);
    Grid->setMinimumWidth(Columns * CellWidth + 30);
    Grid->setMaximumWidth(Columns * CellWidth + 30);
    cbHideBorder = new QCheckBox(QStringLiteral("Hide border"), this);
    cbRandomBack = new QCheckBox(QStringLiteral("Select random card back"), this);
    AddCardBack = new QPushButton(QStringLiteral("Add Card Back..."), this);
    auto *grid = new QGridLayout(this);
    grid->addWidget(Tree, 0, 0);
    grid->addWidget(Grid, 0, 1, 1, 2);
    grid->addWidget(cbHideBorder, 1, 1);
    grid->addWidget(AddCardBack, 1, 2, Qt::AlignRight);
    grid->addWidget(cbRandomBack, 2, 0, 1, 3);

    connect(Tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) { listBacks(item); });
    connect(Tree, &QTreeWidget::itemExpanded, this, &CardBacksPage::expandFolder);
    connect(Grid, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        if (item)
            pending = item->data(PathRole).toString();
    });
    connect(Grid, &QWidget::customContextMenuRequested, this, &CardBacksPage::gridMenu);
    // The previews are remade with the border as it now is.
    connect(cbHideBorder, &QCheckBox::toggled, this, [this] { listBacks(Tree->currentItem()); });
    connect(AddCardBack, &QPushButton::clicked, this, &CardBacksPage::addCardBack);
}

CardBacksPage::~CardBacksPage()
{
    StopLoading();
}

void CardBacksPage::StopLoading()
{
    if (loader)
        loader->Stop();
}

void CardBacksPage::showEvent(QShowEvent *event)
{
    OptionsPage::showEvent(event);
    if (!treeFilled)
        fillTree();
}

void CardBacksPage::addSubFolders(QTreeWidgetItem *parent, const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : names) {
        const QString path = QDir(folder).filePath(name);
        auto *item = new QTreeWidgetItem(QStringList{name});
        item->setData(0, PathRole, path);
        if (!QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks).isEmpty())
            item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        // Sub-folders come between "Standard" and "Custom".
        if (parent->childCount() > 0 && parent->child(parent->childCount() - 1) == customEntry)
            parent->insertChild(parent->childCount() - 1, item);
        else
            parent->addChild(item);
    }
}

void CardBacksPage::expandFolder(QTreeWidgetItem *item)
{
    if (item == Tree->topLevelItem(0) || item == customEntry || item->childCount() > 0)
        return;
    addSubFolders(item, item->data(0, PathRole).toString());
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void CardBacksPage::fillTree()
{
    treeFilled = true;
    const QSignalBlocker quiet(Tree);
    auto *root = new QTreeWidgetItem(Tree, QStringList{QString::fromLatin1(CardBacksText::Root)});
    root->setData(0, PathRole, context.BuiltInBackFolder);
    standardEntry = new QTreeWidgetItem(root, QStringList{QString::fromLatin1(CardBacksText::Standard)});
    customEntry = new QTreeWidgetItem(root, QStringList{QString::fromLatin1(CardBacksText::Custom)});
    customEntry->setData(0, PathRole, context.CustomBackFolder);
    addSubFolders(root, context.BuiltInBackFolder);
    root->setExpanded(true);
    QTreeWidgetItem *current = standardEntry;
    if (!pending.isEmpty() && (pending.toInt() < 1 || pending.toInt() > 13))
        if (QTreeWidgetItem *folder = folderEntry(QFileInfo(pending).absolutePath()))
            current = folder;
    Tree->setCurrentItem(current);
    listBacks(current);
}

QTreeWidgetItem *CardBacksPage::folderEntry(const QString &folder) const
{
    const QString wanted = QDir::cleanPath(folder);
    for (QTreeWidgetItemIterator it(Tree); *it; ++it) {
        const QString path = (*it)->data(0, PathRole).toString();
        if (path.isEmpty())
            continue;
        if (QDir::cleanPath(path) == wanted)
            return *it;
        if (wanted.startsWith(QDir::cleanPath(path) + u'/'))
            const_cast<CardBacksPage *>(this)->expandFolder(*it);
    }
    return nullptr;
}

void CardBacksPage::listBacks(QTreeWidgetItem *entry)
{
    StopLoading();
    const QSignalBlocker quiet(Grid);
    Grid->clear();
    previewsLeft = 0;
    if (!entry)
        return;
    const QColor window = palette().base().color();
    const bool standard = entry == standardEntry;
    cbHideBorder->setEnabled(!standard);
    QListWidgetItem *chosen = nullptr;
    if (standard) {
        // "Card set back" (13) first, then 1 to 12, as the card set draws them.
        for (int back : {13, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}) {
            const QImage &picture = cardPictures().Picture(CardPictures::FirstBack + back - 1);
            auto *item = new QListWidgetItem(back == 13 ? QString::fromLatin1(CardBacksText::SetBack)
                                                        : QString::number(back), Grid);
            item->setData(PathRole, QString::number(back));
            item->setData(SizeRole, QStringLiteral("%1 x %2 pixels").arg(picture.width()).arg(picture.height()));
            item->setData(Qt::DecorationRole, QPixmap::fromImage(backPreview(picture, true, window)));
            if (pending == QString::number(back))
                chosen = item;
        }
    } else {
        const QFileInfoList files = QDir(entry->data(0, PathRole).toString()).entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase);
        std::vector<PreviewLoader::Job> jobs;
        const bool hideBorder = cbHideBorder->isChecked();
        for (const QFileInfo &file : files) {
            if (!isBackPicture(file))
                continue;
            auto *item = new QListWidgetItem(displayName(file), Grid);
            item->setData(PathRole, file.filePath());
            if (QFileInfo(pending) == file)
                chosen = item;
            jobs.push_back([path = file.filePath(), hideBorder, window] {
                return backPreview(PictureFile::Read(path, PreviewCard), hideBorder, window);
            });
        }
        previewsLeft = int(jobs.size());
        if (!jobs.empty()) {
            loader = std::make_unique<PreviewLoader>(std::move(jobs));
            // Pictures of an earlier listing still on their way are dropped.
            connect(loader.get(), &PreviewLoader::Ready, this, [this, listing = ++listings](int index, const QImage &picture) {
                if (listing != listings)
                    return;
                if (QListWidgetItem *item = Grid->item(index))
                    item->setData(Qt::DecorationRole, QPixmap::fromImage(picture));
                if (--previewsLeft == 0)
                    Q_EMIT PreviewsDrawn();
            }, Qt::QueuedConnection);
            loader->Start();
        }
    }
    if (chosen)
        Grid->setCurrentItem(chosen);
}

void CardBacksPage::SelectFolder(const QString &name)
{
    const QList<QTreeWidgetItem *> found = Tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    if (found.isEmpty())
        return;
    // Listed again when already selected: a back may have been added.
    if (found.first() == Tree->currentItem())
        listBacks(found.first());
    else
        Tree->setCurrentItem(found.first());
}

bool CardBacksPage::SelectBack(const QString &name)
{
    const QList<QListWidgetItem *> found = Grid->findItems(name, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    Grid->setCurrentItem(found.first());
    return true;
}

void CardBacksPage::addCardBack()
{
    if (!context.ChoosePicture || !context.MakeCardBack)
        return;
    const QString file = context.ChoosePicture(deckFolder);
    if (file.isEmpty())
        return;
    deckFolder = QFileInfo(file).absolutePath();
    if (PictureFile::HasJpegName(file) && !PictureFile::IsValidJpegFile(file)) {
        if (context.Inform)
            context.Inform(QString::fromLatin1(CardBacksText::InvalidJpeg));
        return;
    }
    const QString saved = context.MakeCardBack(file);
    if (saved.isEmpty())
        return;
    pending = saved;
    SelectFolder(QString::fromLatin1(CardBacksText::Custom));
    SelectBack(displayName(QFileInfo(saved)));
}

void CardBacksPage::gridMenu(const QPoint &at)
{
    QListWidgetItem *item = Grid->itemAt(at);
    if (!item)
        return;
    Grid->setCurrentItem(item);
    if (Tree->currentItem() != customEntry)
        return;
    QMenu menu(this);
    QAction *remove = menu.addAction(QStringLiteral("Delete custom card back"));
    QAction *properties = menu.addAction(QStringLiteral("Properties"));
    QAction *picked = menu.exec(Grid->viewport()->mapToGlobal(at));
    const QString file = item->data(PathRole).toString();
    if (picked == properties && context.Inform) {
        const QFileInfo info(file);
        const QImage picture = PictureFile::Read(file);
        context.Inform(QStringLiteral("Name: %1\nFile: %2\nDate: %3\nSize: %4 bytes\n%5 x %6 pixels")
                           .arg(item->text(), file, QLocale().toString(info.lastModified(), QLocale::ShortFormat))
                           .arg(info.size())
                           .arg(picture.width())
                           .arg(picture.height()));
    } else if (picked == remove && context.AskYesNo
               && context.AskYesNo(QString::fromLatin1(CardBacksText::DeleteQuestion).replace(QStringLiteral("%s"), item->text()))) {
        QFile::remove(file);
        listBacks(customEntry);
    }
}

void CardBacksPage::Fill(const CardsSettings &settings)
{
    pending = settings.Back == 100 ? CardAppearance::ResolveBackFile(settings.CustBackFile, context.BuiltInBackFolder)
                                   : QString::number(settings.Back);
    filledBack = pending;
    deckFolder = settings.DeckPicture;
    const QSignalBlocker quiet(cbHideBorder);
    cbHideBorder->setChecked(settings.CustBackStyle == 1);
    cbRandomBack->setChecked(settings.RandomCardBack);
}

void CardBacksPage::Read(CardsSettings &settings) const
{
    bool isNumber = false;
    const int number = pending.toInt(&isNumber);
    if (isNumber && number >= 1 && number <= 13) {
        settings.Back = number;
    } else if (!pending.isEmpty() && QFileInfo::exists(pending)) {
        settings.Back = 100;
        // The stored name stays as it was written while the player keeps that back.
        if (pending != filledBack)
            settings.CustBackFile = pending;
    } else {
        // The picture is gone: the first back stands in.
        settings.Back = 1;
    }
    if (cbHideBorder->isChecked() != (settings.CustBackStyle == 1))
        settings.CustBackStyle = cbHideBorder->isChecked() ? 1 : 0;
    settings.RandomCardBack = cbRandomBack->isChecked();
    settings.DeckPicture = deckFolder;
}
