#include "look/desktop_decks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSet>
#include <QSvgRenderer>
#include <QThreadPool>

#include <zlib.h>

namespace {

constexpr qint64 MaxIndexBytes = 256 * 1024;
constexpr qint64 MaxInflatedBytes = 96 * 1024 * 1024;

// The SVG text of a file, inflated when it is gzip-compressed; empty when it is unreadable,
// damaged or would inflate beyond the limit (a small file may hide a huge one).
QByteArray svgText(const QString &file)
{
    QFile input(file);
    if (input.size() > DesktopDecks::MaxSvgBytes || !input.open(QIODevice::ReadOnly))
        return QByteArray();
    const QByteArray bytes = input.read(DesktopDecks::MaxSvgBytes);
    if (bytes.size() < 2 || uchar(bytes[0]) != 0x1f || uchar(bytes[1]) != 0x8b)
        return bytes;
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
        return QByteArray();
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.constData()));
    stream.avail_in = uInt(bytes.size());
    QByteArray text;
    char chunk[64 * 1024];
    int status = Z_OK;
    while (status == Z_OK && text.size() <= MaxInflatedBytes) {
        stream.next_out = reinterpret_cast<Bytef *>(chunk);
        stream.avail_out = sizeof chunk;
        status = inflate(&stream, Z_NO_FLUSH);
        if (status != Z_OK && status != Z_STREAM_END)
            break;
        text.append(chunk, qsizetype(sizeof chunk - stream.avail_out));
    }
    inflateEnd(&stream);
    return status == Z_STREAM_END && text.size() <= MaxInflatedBytes ? text : QByteArray();
}

QSize pixelSize(QSize card, qreal ratio)
{
    return QSize(qRound(card.width() * ratio), qRound(card.height() * ratio));
}

QImage drawElement(QSvgRenderer &renderer, const QString &id, QSize card, qreal ratio)
{
    QImage picture(pixelSize(card, ratio), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, id, QRectF(QPointF(0, 0), QSizeF(picture.size())));
    }
    picture.setDevicePixelRatio(ratio);
    return picture;
}

} // namespace

namespace DesktopDecks {

QStringList SearchFolders()
{
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty())
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    QStringList folders;
    for (const QString &dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString folder = QDir::cleanPath(dir + QStringLiteral("/carddecks"));
        if (!folders.contains(folder))
            folders << folder;
    }
    return folders;
}

std::optional<DesktopDeck> Read(const QString &folder)
{
    QFile index(folder + QStringLiteral("/index.desktop"));
    if (index.size() > MaxIndexBytes || !index.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString text = QString::fromUtf8(index.read(MaxIndexBytes));
    DesktopDeck deck;
    deck.Folder = folder;
    bool inGroup = false;
    QString svgName;
    for (const QString &rawLine : text.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == QLatin1String("[KDE Backdeck]");
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inGroup || equals < 1)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == QLatin1String("Name"))
            deck.Name = value;
        else if (key == QLatin1String("Comment"))
            deck.Comment = QString(value).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
        else if (key == QLatin1String("SVG"))
            svgName = value;
    }
    // The picture must lie in the deck's own folder.
    if (deck.Name.isEmpty() || svgName.isEmpty() || svgName.contains(QLatin1Char('/')) || svgName.startsWith(QLatin1Char('.')))
        return std::nullopt;
    const QFileInfo svg(folder + QLatin1Char('/') + svgName);
    if (!svg.isFile() || svg.size() > MaxSvgBytes)
        return std::nullopt;
    deck.SvgFile = svg.filePath();
    return deck;
}

QList<DesktopDeck> Find(const QStringList &searchFolders)
{
    QMap<QString, DesktopDeck> byName;
    for (const QString &searchFolder : searchFolders) {
        const QStringList names = QDir(searchFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString &name : names.mid(0, MaxDecks)) {
            if (byName.contains(name))
                continue;
            if (std::optional<DesktopDeck> deck = Read(searchFolder + QLatin1Char('/') + name))
                byName.insert(name, *deck);
        }
    }
    return byName.values().mid(0, MaxDecks);
}

RenderedDeck Render(const QString &svgFile, QSize card, qreal ratio)
{
    RenderedDeck result;
    if (card.width() < 8 || card.height() < 8 || card.width() > 1024 || card.height() > 1024 || ratio <= 0 || ratio > 8)
        return result;
    const QByteArray text = svgText(svgFile);
    QSvgRenderer renderer;
    if (text.isEmpty() || !renderer.load(text) || !renderer.isValid())
        return result;
    static const char *const ranks[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "jack", "queen", "king"};
    static const char *const suits[] = {"club", "diamond", "heart", "spade"};
    for (int suit = 0; suit < 4; ++suit)
        for (int rank = 0; rank < 13; ++rank) {
            const QString id = QStringLiteral("%1_%2").arg(QLatin1String(ranks[rank]), QLatin1String(suits[suit]));
            if (!renderer.elementExists(id))
                return RenderedDeck{};
            result.Faces[size_t(suit * 13 + rank + 1)] = drawElement(renderer, id, card, ratio);
        }
    if (!renderer.elementExists(QStringLiteral("back")))
        return RenderedDeck{};
    result.Back = drawElement(renderer, QStringLiteral("back"), card, ratio);
    for (const char *joker : {"joker", "red_joker", "black_joker"})
        if (renderer.elementExists(QLatin1String(joker))) {
            result.Joker = drawElement(renderer, QLatin1String(joker), card, ratio);
            break;
        }
    result.Ok = true;
    return result;
}

} // namespace DesktopDecks

DeckRenderings::DeckRenderings()
{
    workers.setMaxThreadCount(1);
}

DeckRenderings::~DeckRenderings()
{
    workers.waitForDone();
}

const RenderedDeck *DeckRenderings::Find(const QString &svgFile, QSize card, qreal ratio) const
{
    for (const auto &entry : entries)
        if (entry->file == svgFile && entry->card == card && qFuzzyCompare(entry->ratio, ratio))
            return &entry->deck;
    return nullptr;
}

const RenderedDeck *DeckRenderings::AnySize(const QString &svgFile) const
{
    for (const auto &entry : entries)
        if (entry->file == svgFile && entry->deck.Ok)
            return &entry->deck;
    return nullptr;
}

void DeckRenderings::keep(Entry entry)
{
    entries.prepend(std::make_shared<Entry>(std::move(entry)));
    while (entries.size() > Kept)
        entries.removeLast();
}

const RenderedDeck &DeckRenderings::RenderNow(const QString &svgFile, QSize card, qreal ratio)
{
    if (const RenderedDeck *kept = Find(svgFile, card, ratio))
        return *kept;
    keep({svgFile, card, ratio, DesktopDecks::Render(svgFile, card, ratio)});
    return entries.first()->deck;
}

void DeckRenderings::Request(const QString &svgFile, QSize card, qreal ratio, std::function<void()> done)
{
    const auto key = std::make_tuple(svgFile, card, ratio);
    if (Find(svgFile, card, ratio) || requested.contains(key))
        return;
    requested << key;
    const int request = ++*latest;
    workers.start([this, svgFile, card, ratio, key, done = std::move(done), request, latest = latest] {
        const bool wanted = request == latest->load();
        RenderedDeck deck = wanted ? DesktopDecks::Render(svgFile, card, ratio) : RenderedDeck{};
        // Runs on the asking thread (the destructor waits for this worker first).
        QMetaObject::invokeMethod(
            &context,
            [this, svgFile, card, ratio, key, done, wanted, deck = std::move(deck)]() mutable {
                requested.removeAll(key);
                if (!wanted)
                    return;
                keep({svgFile, card, ratio, std::move(deck)});
                if (done)
                    done();
            },
            Qt::QueuedConnection);
    });
}
