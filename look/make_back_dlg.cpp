#include "look/make_back_dlg.h"

#include "look/custom_picture_file.h"
#include "look/picture_file.h"
#include "look/rotate_bitmap.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>

namespace {

constexpr int ScrollBarGap = 4;
constexpr int Margin = 10;
constexpr int ButtonSide = 67;
// Larger pictures are decoded at a reduced scale that still covers this size.
constexpr QSize DecodedSize(1024, 1024);
// Zooming in stops here: far beyond any card, and the displayed image stays a few dozen MB.
constexpr int MaxZoomedSide = 4096;

// A magnifying glass with a minus or a plus, our own icon for the zoom buttons.
QIcon magnifierIcon(bool plus)
{
    QImage picture(48, 48, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 60, 70), 4, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(QColor(220, 235, 250));
    painter.drawEllipse(QRectF(6, 6, 26, 26));
    painter.drawLine(QPointF(29, 29), QPointF(42, 42));
    painter.setPen(QPen(QColor(30, 30, 40), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(13, 19), QPointF(25, 19));
    if (plus)
        painter.drawLine(QPointF(19, 13), QPointF(19, 25));
    return QIcon(QPixmap::fromImage(picture));
}

QToolButton *pictureButton(QWidget *parent, const QString &text, const QString &hint, bool toggle)
{
    auto *button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(hint);
    button->setCheckable(toggle);
    button->setFixedSize(ButtonSide, ButtonSide);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setEnabled(false);
    return button;
}

} // namespace

TMakeBackDlg::TMakeBackDlg(QString file, QString folder, QSize frameSize, int colourDepth, QWidget *parent)
    : QDialog(parent), pictureFile(std::move(file)), backFolder(std::move(folder)),
      frame(frameSize.isEmpty() ? QSize(89, 120) : frameSize)
{
    setObjectName(QStringLiteral("MakeBackDlg"));
    setWindowTitle(QString::fromLatin1(MakeBackText::Caption));

    // The frame at the left with its scroll bars just beyond its right and bottom edges.
    Frame = new QWidget(this);
    Frame->setObjectName(QStringLiteral("Frame"));
    Frame->setGeometry(QRect(QPoint(Margin, Margin), frame));
    Frame->setCursor(Qt::OpenHandCursor);
    Frame->installEventFilter(this);
    VerticalBar = new QScrollBar(Qt::Vertical, this);
    VerticalBar->setGeometry(Frame->geometry().right() + 1 + ScrollBarGap, Margin, 16, frame.height());
    HorizontalBar = new QScrollBar(Qt::Horizontal, this);
    HorizontalBar->setGeometry(Margin, Frame->geometry().bottom() + 1 + ScrollBarGap, frame.width(), 16);
    for (QScrollBar *bar : {HorizontalBar, VerticalBar}) {
        bar->setRange(0, 0);
        connect(bar, &QScrollBar::valueChanged, Frame, qOverload<>(&QWidget::update));
    }

    // The five buttons and the name at the right.
    auto *controls = new QWidget(this);
    auto *column = new QVBoxLayout(controls);
    column->setContentsMargins(0, 0, 0, 0);
    auto *zoomRow = new QHBoxLayout;
    ZoomOutButton = pictureButton(controls, QStringLiteral("Zoom\nOut"), QStringLiteral("Zoom Out"), false);
    ZoomInButton = pictureButton(controls, QStringLiteral("Zoom\nIn"), QStringLiteral("Zoom In"), false);
    if (colourDepth > 8) {
        ZoomOutButton->setIcon(magnifierIcon(false));
        ZoomInButton->setIcon(magnifierIcon(true));
        for (QToolButton *button : {ZoomOutButton, ZoomInButton}) {
            button->setIconSize(QSize(48, 48));
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        }
    }
    zoomRow->addWidget(ZoomOutButton);
    zoomRow->addWidget(ZoomInButton);
    zoomRow->addStretch();
    column->addLayout(zoomRow);
    auto *toolRow = new QHBoxLayout;
    BestFitButton = pictureButton(controls, QStringLiteral("Best fit"), QStringLiteral("Fit width/height"), true);
    RotateButton = pictureButton(controls, QStringLiteral("Rotate"), QStringLiteral("Rotate image"), false);
    StretchButton = pictureButton(controls, QStringLiteral("Stretch"), QStringLiteral("Stretch image"), true);
    toolRow->addWidget(BestFitButton);
    toolRow->addWidget(RotateButton);
    toolRow->addWidget(StretchButton);
    column->addLayout(toolRow);
    column->addWidget(new QLabel(QStringLiteral("Card back name:"), controls));
    NameEdit = new QLineEdit(controls);
    column->addWidget(NameEdit);
    column->addStretch();
    auto *buttons = new QHBoxLayout;
    SaveButton = new QPushButton(QStringLiteral("&Save"), controls);
    SaveButton->setDefault(true);
    SaveButton->setEnabled(false);
    CancelButton = new QPushButton(QStringLiteral("&Cancel"), controls);
    buttons->addWidget(SaveButton);
    buttons->addWidget(CancelButton);
    column->addLayout(buttons);
    const int controlsLeft = VerticalBar->geometry().right() + 1 + 2 * Margin;
    const QSize controlsSize = controls->sizeHint().expandedTo(QSize(3 * ButtonSide + 12, 0));
    controls->setGeometry(controlsLeft, Margin, controlsSize.width(),
                          std::max(controlsSize.height(), HorizontalBar->geometry().bottom() + 1 - Margin));
    setFixedSize(controls->geometry().right() + 1 + Margin,
                 std::max(controls->geometry().bottom(), HorizontalBar->geometry().bottom()) + 1 + Margin);

    connect(ZoomOutButton, &QToolButton::clicked, this, [this] { zoomBy(ZoomOutStep); });
    connect(ZoomInButton, &QToolButton::clicked, this, [this] { zoomBy(ZoomInStep); });
    connect(BestFitButton, &QToolButton::clicked, this, [this](bool down) {
        if (down)
            bestFit();
    });
    connect(RotateButton, &QToolButton::clicked, this, &TMakeBackDlg::rotate);
    connect(StretchButton, &QToolButton::toggled, this, &TMakeBackDlg::stretchToggled);
    connect(SaveButton, &QPushButton::clicked, this, &TMakeBackDlg::save);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    // The picture is read once the dialog is on screen.
    QTimer::singleShot(200, this, &TMakeBackDlg::loadPicture);
}

TMakeBackDlg::~TMakeBackDlg() = default;

QString TMakeBackDlg::Name() const
{
    return NameEdit->text();
}

QPoint TMakeBackDlg::PanPosition() const
{
    return QPoint(HorizontalBar->value(), VerticalBar->value());
}

QImage TMakeBackDlg::FramePicture() const
{
    const QPoint at = StretchButton->isChecked() ? QPoint(0, 0) : PanPosition();
    QImage picture(frame, QImage::Format_RGB888);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawImage(QPoint(0, 0), displayed, QRect(at, frame));
    return picture;
}

void TMakeBackDlg::message(const QString &text)
{
    if (ShowMessage)
        ShowMessage(text);
    else
        QMessageBox::information(this, QStringLiteral("Tarnwick"), text);
}

void TMakeBackDlg::loadPicture()
{
    const QImage picture =
        QFileInfo(pictureFile).isFile() ? PictureFile::Read(pictureFile, DecodedSize) : QImage();
    if (picture.isNull()) {
        // The buttons stay disabled; the player can only cancel.
        message(QStringLiteral("Invalid JPEG file"));
        return;
    }
    source = picture.convertToFormat(QImage::Format_RGB888);
    for (QWidget *control : std::initializer_list<QWidget *>{ZoomOutButton, ZoomInButton, BestFitButton, RotateButton,
                                                             StretchButton, SaveButton})
        control->setEnabled(true);
    if (NameEdit->text().isEmpty())
        NameEdit->setText(QFileInfo(pictureFile).completeBaseName());
    BestFitButton->setChecked(true);
    bestFit();
}

void TMakeBackDlg::bestFit()
{
    if (source.isNull())
        return;
    const double previous = zoom;
    zoom = std::max(double(frame.width()) / source.width(), double(frame.height()) / source.height());
    if (StretchButton->isChecked()) {
        const QSignalBlocker blocker(StretchButton);
        StretchButton->setChecked(false);
        stretchToggled(false);
    }
    redraw(zoom / previous);
}

void TMakeBackDlg::zoomBy(double step)
{
    if (source.isNull())
        return;
    // Without a bound every Zoom In would grow the picture until memory runs out.
    const double width = source.width() * zoom * step, height = source.height() * zoom * step;
    if (width > MaxZoomedSide || height > MaxZoomedSide || width < 1 || height < 1)
        return;
    BestFitButton->setChecked(false);
    zoom *= step;
    redraw(step);
}

void TMakeBackDlg::redraw(double stepFactor)
{
    if (source.isNull() || StretchButton->isChecked())
        return;
    QSize zoomed(std::max(1, int(source.width() * zoom)), std::max(1, int(source.height() * zoom)));
    // A side one pixel short of the frame is made to fill it.
    if (zoomed.width() == frame.width() - 1)
        zoomed.setWidth(frame.width());
    if (zoomed.height() == frame.height() - 1)
        zoomed.setHeight(frame.height());
    displayed = QImage(zoomed.expandedTo(frame), QImage::Format_RGB888);
    displayed.fill(Qt::white);
    {
        QPainter painter(&displayed);
        painter.drawImage(QPoint(0, 0), source.scaled(zoomed, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    const QPoint pan(int(HorizontalBar->value() * stepFactor), int(VerticalBar->value() * stepFactor));
    updateScrollRanges();
    HorizontalBar->setValue(pan.x());
    VerticalBar->setValue(pan.y());
    Frame->update();
}

void TMakeBackDlg::updateScrollRanges()
{
    HorizontalBar->setRange(0, std::max(0, displayed.width() - frame.width()));
    VerticalBar->setRange(0, std::max(0, displayed.height() - frame.height()));
}

void TMakeBackDlg::stretchToggled(bool down)
{
    HorizontalBar->setVisible(!down);
    VerticalBar->setVisible(!down);
    ZoomOutButton->setEnabled(!down && !source.isNull());
    ZoomInButton->setEnabled(!down && !source.isNull());
    if (source.isNull())
        return;
    if (down) {
        HorizontalBar->setValue(0);
        VerticalBar->setValue(0);
        displayed = source.scaled(frame, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        updateScrollRanges();
        Frame->update();
    } else {
        redraw(1.0);
    }
}

void TMakeBackDlg::rotate()
{
    if (source.isNull())
        return;
    BestFitButton->setChecked(false);
    QImage turned(source.height(), source.width(), source.format());
    turned.fill(Qt::white);
    BitmapRotation::RotateBitmap(source, turned, source.height(), 0, M_PI / 2);
    source = turned;
    stretchToggled(StretchButton->isChecked());
}

void TMakeBackDlg::save()
{
    const QString name = NameEdit->text();
    // A name that would leave the folder or that no file can carry is no name.
    if (!CustomPictureFile::IsUsableName(name)) {
        message(QString::fromLatin1(MakeBackText::EnterName));
        return;
    }
    const QString path = backFolder + QLatin1Char('/') + name + QStringLiteral(".bmp");
    if (QFileInfo::exists(path)) {
        message(QString::fromLatin1(MakeBackText::NameExists));
        return;
    }
    if (!CustomPictureFile::Save(FramePicture(), path)) {
        message(QString::fromLatin1(MakeBackText::CannotCreate).replace(QLatin1String("%s"), path));
        return;
    }
    savedFile = path;
    accept();
}

void TMakeBackDlg::panTo(QPoint topLeft)
{
    const int left = std::clamp(topLeft.x(), std::min(0, frame.width() - displayed.width()), 0);
    const int top = std::clamp(topLeft.y(), std::min(0, frame.height() - displayed.height()), 0);
    HorizontalBar->setValue(-left);
    VerticalBar->setValue(-top);
}

bool TMakeBackDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != Frame)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint: {
        QPainter painter(Frame);
        painter.fillRect(Frame->rect(), Qt::white);
        if (!displayed.isNull())
            painter.drawImage(QPoint(0, 0), displayed,
                              QRect(StretchButton->isChecked() ? QPoint(0, 0) : PanPosition(), frame));
        return true;
    }
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton || source.isNull() || StretchButton->isChecked())
            return false;
        dragging = true;
        dragStart = mouse->position().toPoint();
        dragStartPan = -PanPosition();
        Frame->setCursor(Qt::ClosedHandCursor);
        return true;
    }
    case QEvent::MouseMove:
        if (dragging)
            panTo(dragStartPan + static_cast<QMouseEvent *>(event)->position().toPoint() - dragStart);
        return dragging;
    case QEvent::MouseButtonRelease:
        if (!dragging)
            return false;
        dragging = false;
        Frame->setCursor(Qt::OpenHandCursor);
        return true;
    default:
        return false;
    }
}
