#pragma once

#include <QDialog>

class TQelURLLabel;

// Texts of the about box.
namespace AboutText {
inline constexpr char Caption[] = "About Tarnwick";
inline constexpr char Description[] =
    "Patience games for one player: Bisley, Bouquet, Carpet, Flower Garden, FreeCell, Klondike, "
    "Monte Carlo, Nestor, Spider and Yukon.";
inline constexpr char Licence[] =
    "Tarnwick is free software under the GNU General Public License, version 3 or later. "
    "It comes with no warranty.";
inline constexpr char HomePage[] = "https://github.com/tarnwick/tarnwick";
inline constexpr char HomePageText[] = "github.com/tarnwick/tarnwick";
} // namespace AboutText

// The modal about box: the program's icon, name and version, what it is, its licence and a
// link to its home page.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget *parent = nullptr);
    TQelURLLabel *HomePageLink() const { return link; }

private:
    TQelURLLabel *link = nullptr;
};
