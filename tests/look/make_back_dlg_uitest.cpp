// The card back maker as the player uses it: the picture appears fitted to the frame, the
// buttons zoom, rotate and stretch it, dragging pans it, and Save writes what the frame shows.
#include "look/make_back_dlg.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

struct BackMaker {
    BackMaker(QSize picture, QSize frame)
    {
        QImage image(picture, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                image.setPixel(x, y, qRgb(x * 255 / picture.width(), y * 255 / picture.height(), 128));
        pictureFile = folder.filePath(QStringLiteral("holiday.bmp"));
        image.save(pictureFile);
        backFolder = folder.filePath(QStringLiteral("Decks"));
        dialog = std::make_unique<TMakeBackDlg>(pictureFile, backFolder, frame);
        dialog->ShowMessage = [this](const QString &text) { messages << text; };
        dialog->show();
        EXPECT_TRUE(QTest::qWaitFor([this] { return dialog->PictureLoaded(); }, 2000));
    }
    QTemporaryDir folder;
    QString pictureFile, backFolder;
    std::unique_ptr<TMakeBackDlg> dialog;
    QStringList messages;
};

} // namespace

TEST(MakeBackDlg, ZoomsFromBestFitInSteps)
{
    const struct {
        QSize picture, frame;
        double fitted;
    } cases[] = {{{300, 100}, {71, 96}, 0.96}, {{71, 96}, {71, 96}, 1.0}, {{100, 400}, {89, 120}, 0.89}};
    for (const auto &test : cases) {
        BackMaker maker(test.picture, test.frame);
        TMakeBackDlg &dialog = *maker.dialog;
        EXPECT_TRUE(dialog.BestFitButton->isChecked());
        EXPECT_DOUBLE_EQ(dialog.Zoom(), test.fitted);
        // The fitted picture covers the frame.
        EXPECT_GE(dialog.DisplayedImage().width(), test.frame.width());
        EXPECT_GE(dialog.DisplayedImage().height(), test.frame.height());
        QTest::mouseClick(dialog.ZoomOutButton, Qt::LeftButton);
        EXPECT_FALSE(dialog.BestFitButton->isChecked());
        EXPECT_NEAR(dialog.Zoom(), test.fitted * 0.91, 1e-12);
        QTest::mouseClick(dialog.ZoomOutButton, Qt::LeftButton);
        EXPECT_NEAR(dialog.Zoom(), test.fitted * 0.8281, 1e-12);
        QTest::mouseClick(dialog.ZoomInButton, Qt::LeftButton);
        EXPECT_NEAR(dialog.Zoom(), test.fitted * 0.8281 * 1.1, 1e-12);
        const QSize zoomed(int(test.picture.width() * dialog.Zoom()), int(test.picture.height() * dialog.Zoom()));
        EXPECT_EQ(dialog.DisplayedImage().size(), zoomed.expandedTo(test.frame));
    }
    // Zooming in stops long before the picture could use up the memory.
    BackMaker maker(QSize(300, 100), QSize(71, 96));
    for (int click = 0; click < 60; ++click)
        QTest::mouseClick(maker.dialog->ZoomInButton, Qt::LeftButton);
    EXPECT_LE(maker.dialog->DisplayedImage().width(), 4096);
    EXPECT_GT(maker.dialog->DisplayedImage().width(), 4096 / 1.1 - 1);
}

TEST(MakeBackDlg, RotatesStretchesAndPans)
{
    BackMaker maker(QSize(200, 100), QSize(71, 96));
    TMakeBackDlg &dialog = *maker.dialog;
    QTest::mouseClick(dialog.RotateButton, Qt::LeftButton);
    EXPECT_EQ(dialog.PictureSize(), QSize(100, 200));
    EXPECT_FALSE(dialog.BestFitButton->isChecked());

    // Dragging moves the picture under the frame, never past its edges.
    QTest::mouseClick(dialog.BestFitButton, Qt::LeftButton);
    QTest::mouseClick(dialog.ZoomInButton, Qt::LeftButton);
    const QSize image = dialog.DisplayedImage().size();
    ASSERT_GT(image.height(), 96);
    QTest::mousePress(dialog.Frame, Qt::LeftButton, {}, QPoint(40, 80));
    QTest::mouseMove(dialog.Frame, QPoint(35, 60));
    QTest::mouseRelease(dialog.Frame, Qt::LeftButton, {}, QPoint(35, 60));
    EXPECT_EQ(dialog.PanPosition(), QPoint(std::min(5, image.width() - 71), 20));
    QTest::mousePress(dialog.Frame, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(dialog.Frame, QPoint(70, 90));
    QTest::mouseRelease(dialog.Frame, Qt::LeftButton, {}, QPoint(70, 90));
    EXPECT_EQ(dialog.PanPosition(), QPoint(0, 0));
    dialog.VerticalBar->setValue(dialog.VerticalBar->maximum());
    EXPECT_EQ(dialog.FramePicture(), dialog.DisplayedImage().copy(QRect(QPoint(0, image.height() - 96), QSize(71, 96)))
                                          .convertToFormat(QImage::Format_RGB888));

    QTest::mouseClick(dialog.StretchButton, Qt::LeftButton);
    EXPECT_FALSE(dialog.ZoomInButton->isEnabled());
    EXPECT_FALSE(dialog.VerticalBar->isVisible());
    EXPECT_EQ(dialog.DisplayedImage().size(), QSize(71, 96));
    QTest::mouseClick(dialog.StretchButton, Qt::LeftButton);
    EXPECT_TRUE(dialog.ZoomInButton->isEnabled());
    EXPECT_EQ(dialog.DisplayedImage().size(), image);
}

TEST(MakeBackDlg, SavesUnderAUsableNewNameOnly)
{
    BackMaker maker(QSize(300, 100), QSize(71, 96));
    TMakeBackDlg &dialog = *maker.dialog;
    ASSERT_TRUE(QDir().mkpath(maker.backFolder));
    QFile taken(maker.backFolder + QStringLiteral("/Taken.bmp"));
    ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
    taken.write("kept");
    taken.close();
    const struct {
        QString name;
        QString message;
    } refused[] = {{QString(), MakeBackText::EnterName},        {QStringLiteral("  "), MakeBackText::EnterName},
                   {QStringLiteral("../x"), MakeBackText::EnterName}, {QStringLiteral("a\\b"), MakeBackText::EnterName},
                   {QStringLiteral(".."), MakeBackText::EnterName},   {QStringLiteral("Taken"), MakeBackText::NameExists}};
    for (const auto &test : refused) {
        maker.messages.clear();
        dialog.NameEdit->setText(test.name);
        QTest::mouseClick(dialog.SaveButton, Qt::LeftButton);
        EXPECT_EQ(maker.messages, QStringList{test.message}) << test.name.toStdString();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.NameEdit->text(), test.name);
    }
    EXPECT_EQ(QDir(maker.folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("holiday.bmp")});
    QFile kept(taken.fileName());
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("kept"));

    dialog.NameEdit->setText(QStringLiteral("Harbour"));
    const QImage expected = dialog.FramePicture();
    QTest::mouseClick(dialog.SaveButton, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.SavedFile(), maker.backFolder + QStringLiteral("/Harbour.bmp"));
    const QImage saved(dialog.SavedFile());
    EXPECT_EQ(saved.depth(), 32); // Qt reads 24-bit bitmaps as RGB32
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB888), expected);
    QFile header(dialog.SavedFile());
    ASSERT_TRUE(header.open(QIODevice::ReadOnly));
    EXPECT_EQ(quint8(header.read(30).at(28)), 24); // bits per pixel in the bitmap header
}

TEST(MakeBackDlg, AFolderThatCannotBeWrittenSaysSoAndStaysOpen)
{
    BackMaker maker(QSize(120, 160), QSize(71, 96));
    QFile blocker(maker.backFolder); // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    maker.dialog->NameEdit->setText(QStringLiteral("Nowhere"));
    QTest::mouseClick(maker.dialog->SaveButton, Qt::LeftButton);
    EXPECT_EQ(maker.messages,
              QStringList{QStringLiteral("Can not create file %1/Nowhere.bmp").arg(maker.backFolder)});
    EXPECT_TRUE(maker.dialog->isVisible());
}
