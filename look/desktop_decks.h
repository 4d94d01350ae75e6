#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QThreadPool>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

// The freedesktop card decks installed on the system: each a folder under "carddecks" in a
// data folder ($XDG_DATA_DIRS), with an "index.desktop" naming the deck and its SVG file,
// whose element ids name the cards ("1_club" .. "king_spade", "back", a joker).
struct DesktopDeck {
    QString Folder;
    QString Name;
    QString Comment;
    QString SvgFile;
};

// A deck drawn at one card size and screen ratio: faces by slot (1..52), the back and the
// joker (null when the deck has none). Ok is false when the deck cannot be drawn.
struct RenderedDeck {
    bool Ok = false;
    std::array<QImage, 53> Faces; // index 0 unused
    QImage Back;
    QImage Joker;
};

namespace DesktopDecks {

// The card sets numbered from here on are the installed decks, in the order of Find.
constexpr int FirstNumber = 1001;
constexpr int MaxDecks = 200;
constexpr qint64 MaxSvgBytes = 32 * 1024 * 1024;

// "carddecks" in every folder of $XDG_DATA_DIRS (its default when unset), in that order.
QStringList SearchFolders();
// The readable decks of the folders, sorted by folder name; a folder name seen in an
// earlier search folder hides a later one.
QList<DesktopDeck> Find(const QStringList &searchFolders);
// One deck folder; nothing when its index is missing, too large or names no SVG file in it.
std::optional<DesktopDeck> Read(const QString &folder);
// Draws every card of the deck at the card size and ratio (safe on any thread).
RenderedDeck Render(const QString &svgFile, QSize card, qreal ratio);

} // namespace DesktopDecks

// The decks drawn so far, by file, card size and ratio, so each is drawn once; drawing runs
// on a worker thread and reports on the thread that asked.
class DeckRenderings {
public:
    DeckRenderings();
    ~DeckRenderings();

    // The deck at that size and ratio when it has been drawn (Ok or not).
    const RenderedDeck *Find(const QString &svgFile, QSize card, qreal ratio) const;
    // A drawing of the deck at any size, for a first look while the asked one is drawn.
    const RenderedDeck *AnySize(const QString &svgFile) const;
    // Draws now.
    const RenderedDeck &RenderNow(const QString &svgFile, QSize card, qreal ratio);
    // Draws on a worker; done runs on this thread once it is kept. A request already under
    // way is not made twice, and one still waiting when a newer comes is dropped (a window
    // being resized asks for many sizes, and only the last one matters).
    void Request(const QString &svgFile, QSize card, qreal ratio, std::function<void()> done);

private:
    struct Entry {
        QString file;
        QSize card;
        qreal ratio;
        RenderedDeck deck;
    };
    void keep(Entry entry);

    static constexpr int Kept = 2; // the size on the table and the one before
    QList<std::shared_ptr<Entry>> entries;
    QList<std::tuple<QString, QSize, qreal>> requested;
    std::shared_ptr<std::atomic<int>> latest = std::make_shared<std::atomic<int>>(0);
    QObject context; // receives the workers' results on the asking thread
    QThreadPool workers; // waited for before the rest goes
};
