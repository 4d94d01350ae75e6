#pragma once

#include <QDialog>
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

class QLineEdit;
class QPushButton;
class QScrollBar;
class QToolButton;

// Texts of the card back maker.
namespace MakeBackText {
inline constexpr char Caption[] = "Make custom card back";
inline constexpr char EnterName[] = "Enter the name of the card back";
inline constexpr char NameExists[] = "Card back with this name aleady exists. Please enter different name.";
inline constexpr char CannotCreate[] = "Can not create file %s";
} // namespace MakeBackText

// `TMakeBackDlg`: turns a picture into a card back. The player zooms, pans, stretches or
// rotates the picture inside a card-sized frame and saves what the frame shows as a 24-bit
// bitmap under a name in the custom back folder.
class TMakeBackDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr double ZoomOutStep = 0.91;
    static constexpr double ZoomInStep = 1.1;

    // pictureFile: a bitmap or JPEG, loaded 200 ms after the dialog shows; frame: the card
    // size (89 x 120 when empty); colourDepth: at 8 bits or less the zoom buttons carry words.
    TMakeBackDlg(QString pictureFile, QString backFolder, QSize frame = QSize(), int colourDepth = 32,
                 QWidget *parent = nullptr);
    ~TMakeBackDlg() override;

    // The message boxes (caption "Tarnwick"); tests answer them at once.
    std::function<void(const QString &text)> ShowMessage;

    // The name typed, and after a save the file written.
    QString Name() const;
    QString SavedFile() const { return savedFile; }

    // --- the state the player sees ---
    double Zoom() const { return zoom; }
    QSize FrameSize() const { return frame; }
    QSize PictureSize() const { return source.size(); }
    // The image the frame looks into (zoomed or stretched, on white) and the pan position.
    const QImage &DisplayedImage() const { return displayed; }
    QPoint PanPosition() const;
    // What the frame shows now, as it would be saved.
    QImage FramePicture() const;
    bool PictureLoaded() const { return !source.isNull(); }

    // --- the controls, by their captions ---
    QToolButton *ZoomOutButton = nullptr;
    QToolButton *ZoomInButton = nullptr;
    QToolButton *BestFitButton = nullptr;
    QToolButton *RotateButton = nullptr;
    QToolButton *StretchButton = nullptr;
    QScrollBar *HorizontalBar = nullptr;
    QScrollBar *VerticalBar = nullptr;
    QLineEdit *NameEdit = nullptr;
    QPushButton *SaveButton = nullptr;
    QPushButton *CancelButton = nullptr;
    QWidget *Frame = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void loadPicture();
    void bestFit();
    void zoomBy(double step);
    void redraw(double stepFactor);
    void stretchToggled(bool down);
    void rotate();
    void save();
    void panTo(QPoint topLeft);
    void updateScrollRanges();
    void message(const QString &text);

    QString pictureFile;
    QString backFolder;
    QSize frame;
    QImage source;
    QImage displayed;
    double zoom = 1.0;
    QPoint dragStart;
    QPoint dragStartPan;
    bool dragging = false;
    QString savedFile;
};
