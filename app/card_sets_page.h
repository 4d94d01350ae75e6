#pragma once

#include "app/options_page.h"

#include <array>
#include <memory>

class PreviewLoader;
class QCheckBox;
class QLabel;
class QListWidget;
class QRadioButton;

// The page "Card Sets": the sets, a set's description, its sizes and all 52 faces of the
// set at the chosen size. The faces are drawn off the interface thread.
class CardSetsPage : public OptionsPage {
    Q_OBJECT
public:
    static const QString DefaultSetName;
    static const QString RemoveQuestion;
    static const QString RemoveFailure;

    explicit CardSetsPage(const OptionsContext &context, QWidget *parent = nullptr);
    ~CardSetsPage() override;
    void Fill(const CardsSettings &settings) override;
    void Read(CardsSettings &settings) const override;
    // The player chose another set or size.
    bool Touched() const { return touched; }
    // The preview is drawn from the dialog's showing on.
    void StartLoading();
    // Stops the preview's drawing and waits for it.
    void StopLoading();
    // The 52 faces in 4 rows of 13 on green: clubs, diamonds, spades, hearts, king to ace.
    static QImage FacesPreview(const CardSetEnvironment &environment, int set, int size);

    QListWidget *SetList = nullptr;
    QLabel *Description = nullptr;
    std::array<QRadioButton *, 3> Size{}; // "Small size", "Normal size", "Large size"
    QCheckBox *cbAutoSizing = nullptr, *cbScaleCards = nullptr, *cbRandomSet = nullptr;
    QLabel *Preview = nullptr;
    // The preview shown is complete.
    bool PreviewReady() const { return previewReady; }

Q_SIGNALS:
    void PreviewDrawn();

private:
    int selectedSet() const;
    int selectedSize() const;
    void setChosen();
    void sizeChosen();
    void drawPreview();
    void removeSelectedSet(const QPoint &at);

    OptionsContext context;
    std::unique_ptr<PreviewLoader> loader;
    bool filling = false;
    bool touched = false;
    bool previewReady = false;
    bool loading = false;
    int drawings = 0; // counts the previews asked for
    int previewSet = -1, previewSize = -1;
};
