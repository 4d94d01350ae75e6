#include "app/background_page.h"

#include "look/picture_file.h"
#include "look/table_background.h"
#include "look/texture_library.h"
#include "store/settings.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int KindRole = Qt::UserRole;
constexpr int PathRole = Qt::UserRole + 1;
constexpr QSize PreviewSize{220, 160};

struct Category {
    const char *name;
    std::array<const char *, 2> samples;
};
const Category Categories[] = {
    {"Cloth", {"Cloth1", nullptr}},
    {"Kaleidoscope", {"Kaleidoscope01", "Kaleidoscope05"}},
    {"Marble", {"Marble1", nullptr}},
    {"Shoal", {"Shoal1", nullptr}},
    {"Stone", {"Stone1", nullptr}},
    {"Misc", {"Misc1", nullptr}},
    {"Shapes", {"Shapes____hedera", nullptr}},
    {"Ornaments", {"Ornaments____Ornament1", nullptr}},
    {"Gradients", {"Gradients____Copper", nullptr}},
    {"Landscapes", {"Landscapes____Lake__in__the__dusk", nullptr}},
    {"Wood", {"Wood1", nullptr}},
    {"Paper", {"Paper4", nullptr}},
    {"Ripples", {"Ripples1", nullptr}},
    {"Plaster", {"Plaster1", nullptr}},
    {"Glass", {"Glass1", nullptr}},
};
constexpr char Unclassified[] = "Unclassified";
const char *const UnclassifiedExtras[] = {"LENS__FLARE", "VINYL", "ABSTRACT", "LEATHER", "WAVES"};

const std::pair<const char *, QColor> NamedColours[] = {
    {"Black", QColor(0, 0, 0)},       {"Maroon", QColor(128, 0, 0)},   {"Green", QColor(0, 128, 0)},
    {"Olive", QColor(128, 128, 0)},   {"Navy", QColor(0, 0, 128)},     {"Purple", QColor(128, 0, 128)},
    {"Teal", QColor(0, 128, 128)},    {"Gray", QColor(128, 128, 128)}, {"Silver", QColor(192, 192, 192)},
    {"Red", QColor(255, 0, 0)},       {"Lime", QColor(0, 255, 0)},     {"Yellow", QColor(255, 255, 0)},
    {"Blue", QColor(0, 0, 255)},      {"Fuchsia", QColor(255, 0, 255)}, {"Aqua", QColor(0, 255, 255)},
    {"White", QColor(255, 255, 255)}, {"Money Green", QColor(192, 220, 192)}, {"Sky Blue", QColor(166, 202, 240)},
    {"Cream", QColor(255, 251, 240)}, {"Medium Gray", QColor(160, 160, 164)},
};

// A name with its trailing number padded to four digits, so 2 sorts before 10.
QString sortKey(const QString &name)
{
    static const QRegularExpression trailingDigits(QStringLiteral("(\\d+)$"));
    const QRegularExpressionMatch match = trailingDigits.match(name);
    if (!match.hasMatch())
        return name.toLower();
    return (name.left(match.capturedStart(1)) + match.captured(1).rightJustified(4, u'0')).toLower();
}

int kindGroup(BackgroundKind kind)
{
    switch (kind) {
    case BackgroundKind::Folder:
        return 0;
    case BackgroundKind::CustomFolder:
        return 1;
    default:
        return 2;
    }
}

QColor storedColour(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int colourValue(QColor colour)
{
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

QString sizeText(QSize size)
{
    return QStringLiteral("%1 x %2 pixels").arg(size.width()).arg(size.height());
}

class SortedEntry : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem &other) const override
    {
        return BackgroundPage::SortsBefore(BackgroundKind(data(0, KindRole).toInt()), text(0),
                                           BackgroundKind(other.data(0, KindRole).toInt()), other.text(0));
    }
};

} // namespace

QString BackgroundPage::TextureDisplayName(const QString &texture)
{
    QString name = texture;
    const qsizetype separator = name.indexOf(QStringLiteral("____"));
    if (separator >= 0)
        name = name.mid(separator + 4);
    name.replace(QStringLiteral("__"), QStringLiteral(" "));
    name.replace(u'_', u'-');
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    const qsizetype blank = name.indexOf(u' ');
    if (blank >= 0 && blank + 1 < name.size())
        name[blank + 1] = name[blank + 1].toUpper();
    return name;
}

bool BackgroundPage::SortsBefore(BackgroundKind kindA, const QString &nameA, BackgroundKind kindB,
                                 const QString &nameB)
{
    const int groupA = kindGroup(kindA), groupB = kindGroup(kindB);
    if (groupA != groupB)
        return groupA < groupB;
    return sortKey(nameA) < sortKey(nameB);
}

QString BackgroundPage::TextureCategory(const QString &texture, const QStringList &categories)
{
    for (const QString &category : categories)
        if (category != QLatin1String(Unclassified) && texture.startsWith(category, Qt::CaseInsensitive))
            return category;
    if (texture.compare(QLatin1String("BURLAP"), Qt::CaseInsensitive) == 0 && categories.contains(QStringLiteral("Cloth")))
        return QStringLiteral("Cloth");
    return QString::fromLatin1(Unclassified);
}

BackgroundPage::BackgroundPage(const OptionsContext &options, QWidget *parent) : OptionsPage(parent), context(options)
{
    SetPicture = new QPushButton(QStringLiteral("Set Picture"), this);
    SetColor = new QPushButton(QStringLiteral("Set Color"), this);
    for (QPushButton *mode : {SetPicture, SetColor})
        mode->setCheckable(true);
    auto *modes = new QHBoxLayout;
    modes->addWidget(SetPicture);
    modes->addWidget(SetColor);
    modes->addStretch();

    auto *colourPart = new QGroupBox(QStringLiteral("Select a color"), this);
    auto *colourRows = new QVBoxLayout(colourPart);
    ColorBox = new QComboBox(colourPart);
    for (const auto &[name, colour] : NamedColours)
        ColorBox->addItem(QString::fromLatin1(name), colour);
    ColorBox->addItem(QStringLiteral("Custom..."));
    colourRows->addWidget(ColorBox);
    cbFade = new QCheckBox(QStringLiteral("Fade background"), colourPart);
    colourRows->addWidget(cbFade);
    auto *direction = new QGroupBox(QStringLiteral("Direction"), colourPart);
    auto *directionRows = new QVBoxLayout(direction);
    Direction = {new QRadioButton(QStringLiteral("Vertical"), direction),
                 new QRadioButton(QStringLiteral("Horizontal"), direction)};
    for (QRadioButton *way : Direction) {
        directionRows->addWidget(way);
        connect(way, &QRadioButton::toggled, this, &BackgroundPage::showColourPreview);
    }
    colourRows->addWidget(direction);
    colourRows->addStretch();
    connect(cbFade, &QCheckBox::toggled, direction, &QWidget::setEnabled);
    connect(cbFade, &QCheckBox::toggled, this, &BackgroundPage::showColourPreview);
    connect(ColorBox, &QComboBox::activated, this, [this](int index) {
        if (ColorBox->itemData(index).isValid()) {
            showColourPreview();
            return;
        }
        const QColor picked = QColorDialog::getColor(chosenColour(), this);
        if (picked.isValid())
            chooseColour(picked);
        showColourPreview();
    });

    auto *picturePart = new QGroupBox(QStringLiteral("Select a picture"), this);
    auto *pictureRows = new QVBoxLayout(picturePart);
    Tree = new QTreeWidget(picturePart);
    Tree->setHeaderHidden(true);
    Tree->setContextMenuPolicy(Qt::CustomContextMenu);
    pictureRows->addWidget(Tree);
    connect(Tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) { entrySelected(item); });
    connect(Tree, &QTreeWidget::itemExpanded, this, &BackgroundPage::expandFolder);
    connect(Tree, &QWidget::customContextMenuRequested, this, &BackgroundPage::entryMenu);

    Preview = new QLabel(this);
    Preview->setFixedSize(PreviewSize);
    Preview->setFrameShape(QFrame::Box);
    SizeText = new QLabel(this);
    cbRandom = new QCheckBox(QStringLiteral("Select random background"), this);
    AddBackground = new QPushButton(QStringLiteral("Add Background..."), this);
    connect(AddBackground, &QPushButton::clicked, this, &BackgroundPage::addBackground);

    auto *grid = new QGridLayout(this);
    grid->addLayout(modes, 0, 0, 1, 2);
    grid->addWidget(picturePart, 1, 0);
    grid->addWidget(colourPart, 1, 0);
    auto *right = new QVBoxLayout;
    right->addWidget(Preview);
    right->addWidget(SizeText);
    right->addStretch();
    right->addWidget(cbRandom);
    right->addWidget(AddBackground);
    grid->addLayout(right, 1, 1);
    picturePart->hide();
    colourPart->hide();
    connect(SetPicture, &QPushButton::clicked, this, [this] { setMode(true); });
    connect(SetColor, &QPushButton::clicked, this, [this] { setMode(false); });
    // Each part shows in its own mode.
    connect(SetPicture, &QPushButton::toggled, picturePart, &QWidget::setVisible);
    connect(SetColor, &QPushButton::toggled, colourPart, &QWidget::setVisible);
}

QColor BackgroundPage::chosenColour() const
{
    const QVariant colour = ColorBox->currentData();
    return colour.isValid() ? colour.value<QColor>() : QColor(0, 128, 0);
}

void BackgroundPage::chooseColour(QColor colour)
{
    int index = ColorBox->findData(colour);
    if (index < 0) {
        index = ColorBox->count() - 1;
        ColorBox->insertItem(index, colour.name(), colour);
    }
    ColorBox->setCurrentIndex(index);
}

void BackgroundPage::setMode(bool picture)
{
    pictureMode = picture;
    SetPicture->setChecked(picture);
    SetColor->setChecked(!picture);
    cbRandom->setEnabled(picture);
    if (picture) {
        if (isVisible() && !treeFilled)
            FillTree();
        entrySelected(Tree->currentItem());
    } else {
        showColourPreview();
    }
}

void BackgroundPage::showColourPreview()
{
    if (pictureMode)
        return;
    QImage preview(PreviewSize, QImage::Format_RGB32);
    QPainter painter(&preview);
    const QColor colour = chosenColour();
    if (!cbFade->isChecked()) {
        preview.fill(colour);
    } else {
        const bool vertical = !Direction[1]->isChecked();
        const int extent = vertical ? preview.height() : preview.width();
        // The preview shows the fade in a fixed number of bands, whatever its size.
        const int bands = std::min(PreviewBands, extent);
        const auto steps = TableBackground::GradientBands(colour, Qt::black, bands);
        preview.fill(Qt::black);
        for (const auto &band : steps) {
            const int from = band.Start * extent / bands, to = (band.Start + band.Thickness) * extent / bands;
            painter.fillRect(vertical ? QRect(0, from, preview.width(), to - from)
                                      : QRect(from, 0, to - from, preview.height()),
                             band.Color);
        }
    }
    Preview->setPixmap(QPixmap::fromImage(preview));
    SizeText->clear();
}

void BackgroundPage::showEvent(QShowEvent *event)
{
    OptionsPage::showEvent(event);
    if (!treeFilled)
        FillTree();
}

QTreeWidgetItem *BackgroundPage::addEntry(QTreeWidgetItem *parent, BackgroundKind kind, const QString &name,
                                          const QString &path)
{
    auto *item = new SortedEntry(QStringList{name});
    item->setData(0, KindRole, int(kind));
    item->setData(0, PathRole, path);
    if (parent)
        parent->addChild(item);
    else
        Tree->addTopLevelItem(item);
    return item;
}

void BackgroundPage::addFolderEntries(QTreeWidgetItem *parent, const QString &folder, BackgroundKind fileKind)
{
    const QDir directory(folder);
    const QFileInfoList entries =
        directory.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
    int looked = 0;
    for (const QFileInfo &entry : entries) {
        if (++looked > TableBackground::MaxFolderEntries)
            break;
        if (entry.isDir()) {
            QTreeWidgetItem *sub = addEntry(parent, BackgroundKind::Folder, entry.fileName(), entry.filePath());
            // The expand mark shows while the folder is not yet read.
            const bool hasSubFolders =
                !QDir(entry.filePath()).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks).isEmpty();
            const bool hasFiles = !QDir(entry.filePath()).entryList(QDir::Files).isEmpty();
            if (hasSubFolders || hasFiles)
                sub->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        } else {
            addEntry(parent, fileKind, entry.completeBaseName(), entry.filePath());
        }
    }
}

void BackgroundPage::expandFolder(QTreeWidgetItem *item)
{
    if (BackgroundKind(item->data(0, KindRole).toInt()) != BackgroundKind::Folder || item->childCount() > 0)
        return;
    addFolderEntries(item, item->data(0, PathRole).toString(), BackgroundKind::OtherFile);
    sortChildren(item);
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void BackgroundPage::sortChildren(QTreeWidgetItem *parent)
{
    if (parent)
        parent->sortChildren(0, Qt::AscendingOrder);
    else
        Tree->sortItems(0, Qt::AscendingOrder);
}

void BackgroundPage::FillTree()
{
    treeFilled = true;
    const QSignalBlocker quiet(Tree);
    Tree->clear();
    addFolderEntries(nullptr, QDir(context.ProgramFolder).filePath(QStringLiteral("Backgrounds")),
                     BackgroundKind::OtherFile);
    QStringList textures = TextureLibrary::ProgramTextureNames();
    textures += TextureLibrary::PackageTextureNames(context.ProgramFolder);
    QStringList categories{QString::fromLatin1(Unclassified)};
    for (const Category &category : Categories)
        for (const char *sample : category.samples)
            if (sample && textures.contains(QString::fromLatin1(sample), Qt::CaseInsensitive)) {
                categories << QString::fromLatin1(category.name);
                break;
            }
    std::map<QString, QTreeWidgetItem *> categoryEntries;
    for (const QString &category : categories)
        categoryEntries[category] = addEntry(nullptr, BackgroundKind::Folder, category, QString());
    for (const QString &texture : textures) {
        // Of the unclassified names only the known extras are listed.
        QString category = TextureCategory(texture, categories);
        if (category == QLatin1String(Unclassified)
            && std::none_of(std::begin(UnclassifiedExtras), std::end(UnclassifiedExtras),
                            [&](const char *extra) { return texture.compare(QLatin1String(extra), Qt::CaseInsensitive) == 0; }))
            continue;
        addEntry(categoryEntries[category], BackgroundKind::Texture, TextureDisplayName(texture), texture);
    }
    for (auto &entry : categoryEntries)
        sortChildren(entry.second);
    customEntry = addEntry(nullptr, BackgroundKind::CustomFolder, QString::fromLatin1(BackgroundText::Custom),
                           context.CustomBackgroundFolder);
    addFolderEntries(customEntry, context.CustomBackgroundFolder, BackgroundKind::CustomFile);
    sortChildren(customEntry);
    sortChildren(nullptr);

    const QString current = patternType == 2 ? patternFile : patternName;
    if (QTreeWidgetItem *item = EntryFor(current)) {
        for (QTreeWidgetItem *parent = item->parent(); parent; parent = parent->parent())
            parent->setExpanded(true);
        Tree->setCurrentItem(item);
        Tree->scrollToItem(item);
        entrySelected(item, false);
    }
}

QTreeWidgetItem *BackgroundPage::EntryFor(const QString &textureOrFile) const
{
    if (textureOrFile.isEmpty())
        return nullptr;
    // A file may lie in a folder not read yet: open the folders on its way.
    for (QTreeWidgetItemIterator it(Tree); *it; ++it) {
        QTreeWidgetItem *item = *it;
        const QString path = item->data(0, PathRole).toString();
        const auto kind = BackgroundKind(item->data(0, KindRole).toInt());
        if (kind == BackgroundKind::Folder && !path.isEmpty() && textureOrFile.startsWith(path + u'/'))
            const_cast<BackgroundPage *>(this)->expandFolder(item);
        if (kind != BackgroundKind::Folder && kind != BackgroundKind::CustomFolder
            && path.compare(textureOrFile, Qt::CaseInsensitive) == 0)
            return item;
    }
    return nullptr;
}

void BackgroundPage::entrySelected(QTreeWidgetItem *item, bool adopt)
{
    if (!pictureMode || !item)
        return;
    const auto kind = BackgroundKind(item->data(0, KindRole).toInt());
    const QString path = item->data(0, PathRole).toString();
    QImage picture;
    if (kind == BackgroundKind::Texture) {
        picture = PictureFile::Decode(TextureLibrary::TextureData(path, context.ProgramFolder));
    } else if (kind == BackgroundKind::OtherFile || kind == BackgroundKind::CustomFile) {
        if (PictureFile::HasJpegName(path) && !PictureFile::IsValidJpegFile(path)) {
            if (context.Inform)
                context.Inform(QString::fromLatin1(BackgroundText::InvalidJpeg));
            return;
        }
        picture = PictureFile::Read(path);
    } else {
        return;
    }
    if (picture.isNull())
        return;
    if (adopt) {
        patternType = kind == BackgroundKind::Texture ? 1 : 2;
        (patternType == 1 ? patternName : patternFile) = path;
    }
    SizeText->setText(sizeText(picture.size()));
    QImage preview(PreviewSize, QImage::Format_RGB32);
    QPainter painter(&preview);
    if (picture.width() >= TableBackground::LargePicture.width()
        && picture.height() >= TableBackground::LargePicture.height())
        painter.drawImage(preview.rect(), picture);
    else
        painter.fillRect(preview.rect(), QBrush(TableBackground::RepeatedTile(picture)));
    painter.end();
    Preview->setPixmap(QPixmap::fromImage(preview));
}

void BackgroundPage::Fill(const CardsSettings &settings)
{
    patternType = settings.Pattern_Type;
    patternName = settings.Pattern_Name;
    patternFile = settings.Pattern_File;
    pictureFolder = settings.BackgroundPicture;
    chooseColour(storedColour(settings.BoardColor));
    cbFade->setChecked(settings.Fade);
    Direction[settings.Direction == 1 ? 1 : 0]->setChecked(true);
    Direction[0]->parentWidget()->setEnabled(settings.Fade);
    cbRandom->setChecked(settings.RandomBackground);
    setMode(settings.Pattern_Type != 0);
}

void BackgroundPage::Read(CardsSettings &settings) const
{
    if (chosenColour() != storedColour(settings.BoardColor))
        settings.BoardColor = colourValue(chosenColour());
    settings.Fade = cbFade->isChecked();
    if (Direction[1]->isChecked() != (settings.Direction == 1))
        settings.Direction = Direction[1]->isChecked() ? 1 : 0;
    settings.RandomBackground = cbRandom->isChecked();
    settings.BackgroundPicture = pictureFolder;
    if (!pictureMode) {
        settings.Pattern_Type = 0;
        return;
    }
    settings.Pattern_Type = patternType;
    if (patternType == 1) {
        settings.Pattern_Name = patternName;
        settings.Pattern_File.clear();
    } else if (patternType == 2) {
        settings.Pattern_File = patternFile;
        settings.Pattern_Name.clear();
    }
}

bool BackgroundPage::saveBackground(const QImage &picture, const QString &name)
{
    const auto tell = [this](const QString &text) {
        if (context.Inform)
            context.Inform(text);
    };
    if (name.trimmed().isEmpty()) {
        tell(QString::fromLatin1(BackgroundText::EnterName));
        return false;
    }
    // Small pictures keep every pixel; large ones are kept as JPEG.
    const bool small = picture.width() <= 300 || picture.height() <= 200;
    QDir().mkpath(context.CustomBackgroundFolder);
    const QString file =
        QDir(context.CustomBackgroundFolder).filePath(name + (small ? QStringLiteral(".bmp") : QStringLiteral(".jpg")));
    if (QFileInfo::exists(file)) {
        tell(QString::fromLatin1(BackgroundText::NameExists));
        return false;
    }
    QSaveFile out(file);
    const bool written = out.open(QIODevice::WriteOnly)
                         && (small ? picture.convertToFormat(QImage::Format_RGB888).save(&out, "BMP")
                                   : picture.save(&out, "JPG", 96))
                         && out.commit();
    if (!written) {
        tell(QString::fromLatin1(BackgroundText::CannotCreate).replace(QStringLiteral("%s"), file));
        return false;
    }
    QTreeWidgetItem *entry = addEntry(customEntry, BackgroundKind::CustomFile, name, file);
    sortChildren(customEntry);
    customEntry->setExpanded(true);
    Tree->setCurrentItem(entry);
    return true;
}

void BackgroundPage::addBackground()
{
    if (!context.ChoosePicture)
        return;
    const QString file = context.ChoosePicture(pictureFolder);
    if (file.isEmpty())
        return;
    pictureFolder = QFileInfo(file).absolutePath();
    if (PictureFile::HasJpegName(file) && !PictureFile::IsValidJpegFile(file)) {
        if (context.Inform)
            context.Inform(QString::fromLatin1(BackgroundText::InvalidJpeg));
        return;
    }
    const QImage picture = PictureFile::Read(file);
    if (picture.isNull() || !context.AskName)
        return;
    if (!treeFilled)
        FillTree();
    setMode(true);
    context.AskName(QFileInfo(file).completeBaseName(),
                    [this, &picture](const QString &name) { return saveBackground(picture, name); });
}

void BackgroundPage::entryMenu(const QPoint &at)
{
    QTreeWidgetItem *item = Tree->itemAt(at);
    if (!item || BackgroundKind(item->data(0, KindRole).toInt()) != BackgroundKind::CustomFile)
        return;
    Tree->setCurrentItem(item);
    QMenu menu(this);
    QAction *remove = menu.addAction(QStringLiteral("Delete custom background"));
    QAction *properties = menu.addAction(QStringLiteral("Properties"));
    QAction *picked = menu.exec(Tree->viewport()->mapToGlobal(at));
    const QString file = item->data(0, PathRole).toString();
    if (picked == properties) {
        const QFileInfo info(file);
        const QImage picture = PictureFile::Read(file);
        const QString text = QStringLiteral("Name: %1\nFile: %2\nCreated: %3\nSize: %4 KB\nDimensions: %5")
                                 .arg(item->text(0), fontMetrics().elidedText(file, Qt::ElideMiddle, 320),
                                      QLocale().toString(info.birthTime().isValid() ? info.birthTime() : info.lastModified(),
                                                         QLocale::ShortFormat))
                                 .arg((info.size() + 512) / 1024)
                                 .arg(sizeText(picture.size()));
        if (context.Inform)
            context.Inform(text);
        return;
    }
    if (picked != remove || !context.AskYesNo)
        return;
    if (!context.AskYesNo(QString::fromLatin1(BackgroundText::DeleteQuestion).replace(QStringLiteral("%s"), item->text(0))))
        return;
    QFile::remove(file);
    delete item;
    if (customEntry->childCount() > 0)
        Tree->setCurrentItem(customEntry);
    else
        setMode(false);
}
