#pragma once

#include "app/options_page.h"

#include <memory>

class PreviewLoader;
class QCheckBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// Texts of the card backs page.
namespace CardBacksText {
inline constexpr char Root[] = "Card Backs";
inline constexpr char Standard[] = "Standard";
inline constexpr char Custom[] = "Custom";
inline constexpr char SetBack[] = "Card set back";
inline constexpr char DeleteQuestion[] = "Are you sure you want to delete card back '%s'?";
inline constexpr char InvalidJpeg[] = "Invalid JPEG file";
} // namespace CardBacksText

// The page "Card Backs": the 13 backs of the card set ("Standard") and the pictures of the
// back folders, in a grid of four columns; the pictures' previews are made off the
// interface thread.
class CardBacksPage : public OptionsPage {
    Q_OBJECT
public:
    static constexpr int Columns = 4;
    explicit CardBacksPage(const OptionsContext &context, QWidget *parent = nullptr);
    ~CardBacksPage() override;
    void Fill(const CardsSettings &settings) override;
    void Read(CardsSettings &settings) const override;
    void StopLoading();

    // The back chosen: "1" to "13", or a picture file.
    QString PendingBack() const { return pending; }
    // Selects a tree entry by its text ("Standard", "Custom", a folder's name) and lists it.
    void SelectFolder(const QString &name);
    // A back of the grid by its name; false when it is not listed.
    bool SelectBack(const QString &name);
    // The previews of the grid are all made.
    bool PreviewsReady() const { return previewsLeft == 0; }

    QTreeWidget *Tree = nullptr;
    QListWidget *Grid = nullptr;
    QCheckBox *cbHideBorder = nullptr, *cbRandomBack = nullptr;
    QPushButton *AddCardBack = nullptr;

Q_SIGNALS:
    void PreviewsDrawn();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fillTree();
    void expandFolder(QTreeWidgetItem *item);
    void addSubFolders(QTreeWidgetItem *parent, const QString &folder);
    void listBacks(QTreeWidgetItem *item);
    void addCardBack();
    void gridMenu(const QPoint &at);
    QTreeWidgetItem *folderEntry(const QString &folder) const;

    OptionsContext context;
    QString pending;
    QString filledBack; // the back the settings named
    QString deckFolder; // the folder last used to add a back
    bool treeFilled = false;
    int previewsLeft = 0;
    int listings = 0; // counts the listings whose previews were asked for
    QTreeWidgetItem *standardEntry = nullptr, *customEntry = nullptr;
    std::unique_ptr<PreviewLoader> loader;
};
