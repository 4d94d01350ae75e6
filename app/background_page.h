#pragma once

#include "app/options_page.h"

#include <QColor>
#include <QImage>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

// Texts of the background page.
namespace BackgroundText {
inline constexpr char InvalidJpeg[] = "Invalid JPEG file";
inline constexpr char NameCaption[] = "The name of background image";
inline constexpr char EnterName[] = "Enter the name of background image";
inline constexpr char NameExists[] = "Background image with this name aleady exists. Please enter different name.";
inline constexpr char CannotCreate[] = "Can not create file %s";
inline constexpr char DeleteQuestion[] = "Are you sure you want to delete background '%s'?";
inline constexpr char Custom[] = "Custom";
} // namespace BackgroundText

// An entry of the background tree.
enum class BackgroundKind { OtherFile = 0, Folder = 1, CustomFile = 2, Texture = 3, CustomFolder = 4 };

// The page "Background": a colour (plain or fading to black) or a picture: the program's
// textures by category, the pictures of its "Backgrounds" folder and the player's own.
class BackgroundPage : public OptionsPage {
    Q_OBJECT
public:
    static constexpr int PreviewBands = 120;
    explicit BackgroundPage(const OptionsContext &context, QWidget *parent = nullptr);
    void Fill(const CardsSettings &settings) override;
    void Read(CardsSettings &settings) const override;

    // "Shapes____hedera" is "Hedera", "Landscapes____Lake__in__the__dusk" "Lake In the dusk".
    static QString TextureDisplayName(const QString &texture);
    // Folders and categories first, then "Custom", then the rest; names by their text with a
    // number at the end compared as a number, ignoring case.
    static bool SortsBefore(BackgroundKind kindA, const QString &nameA, BackgroundKind kindB, const QString &nameB);
    // The category a texture is listed under.
    static QString TextureCategory(const QString &texture, const QStringList &categories);

    // Fills the tree (done when the page is first shown) and selects the current background.
    void FillTree();
    // The entry shown for a texture or file, if listed.
    QTreeWidgetItem *EntryFor(const QString &textureOrFile) const;

    QPushButton *SetPicture = nullptr, *SetColor = nullptr;
    QComboBox *ColorBox = nullptr;
    QCheckBox *cbFade = nullptr;
    std::array<QRadioButton *, 2> Direction{}; // "Vertical", "Horizontal"
    QTreeWidget *Tree = nullptr;
    QLabel *Preview = nullptr, *SizeText = nullptr;
    QCheckBox *cbRandom = nullptr;
    QPushButton *AddBackground = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void setMode(bool picture);
    void showColourPreview();
    // Shows the entry's picture; adopt: it becomes the pending background.
    void entrySelected(QTreeWidgetItem *item, bool adopt = true);
    void expandFolder(QTreeWidgetItem *item);
    void addFolderEntries(QTreeWidgetItem *parent, const QString &folder, BackgroundKind fileKind);
    QTreeWidgetItem *addEntry(QTreeWidgetItem *parent, BackgroundKind kind, const QString &name, const QString &path);
    void sortChildren(QTreeWidgetItem *parent);
    void addBackground();
    bool saveBackground(const QImage &picture, const QString &name);
    void entryMenu(const QPoint &at);
    QColor chosenColour() const;
    void chooseColour(QColor colour);

    OptionsContext context;
    bool pictureMode = true;
    bool treeFilled = false;
    int patternType = 1;
    QString patternName, patternFile;
    QString pictureFolder; // last folder used to add a background
    QTreeWidgetItem *customEntry = nullptr;
};
