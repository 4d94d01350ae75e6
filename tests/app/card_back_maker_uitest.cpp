// A card back made from the player's picture goes on every card of the table.
#include "support/main_window_fixture.h"

#include "engine/Cardscmp.h"
#include "games/game_table.h"
#include "look/make_back_dlg.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

TEST(CardBackMaker, ASavedBackGoesOnEveryCard)
{
    MainWindowFixture fixture;
    const QString picture = fixture.folder.filePath(QStringLiteral("garden.bmp"));
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(QColor(20, 140, 200));
    ASSERT_TRUE(image.save(picture));
    fixture.DealKlondike();
    for (const bool save : {false, true}) {
        // The dialog is modal: the player's answer comes while it is open.
        QTimer::singleShot(0, [save] {
            auto *dialog = qobject_cast<TMakeBackDlg *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            ASSERT_TRUE(QTest::qWaitFor([dialog] { return dialog->PictureLoaded(); }, 2000));
            dialog->NameEdit->setText(QStringLiteral("Garden"));
            QTest::mouseClick(save ? dialog->SaveButton : dialog->CancelButton, Qt::LeftButton);
        });
        fixture.Window().MakeCardBack(picture);
        const CardsSettings &cards = fixture.session->Data().settings.Cards;
        EXPECT_EQ(cards.CustBackFile.endsWith(QStringLiteral("/Decks/Garden.bmp")), save);
        if (save) {
            EXPECT_EQ(cards.Back, 100);
            TCard *card = fixture.Window().Table().Card(0);
            EXPECT_EQ(card->CardBack(), 100);
            EXPECT_TRUE(QFileInfo::exists(cards.CustBackFile));
        }
    }
}
