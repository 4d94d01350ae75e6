#include "app/program_pictures.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>

namespace {

// A spade of the given height centred on (x, y).
QPainterPath spade(double x, double y, double height)
{
    const double w = height * 0.8;
    QPainterPath path;
    path.moveTo(x, y - height / 2);
    path.cubicTo(x + w * 0.15, y - height * 0.25, x + w / 2, y - height * 0.1, x + w / 2, y + height * 0.1);
    path.cubicTo(x + w / 2, y + height * 0.3, x + w * 0.12, y + height * 0.32, x + w * 0.04, y + height * 0.15);
    path.lineTo(x + w * 0.16, y + height / 2);
    path.lineTo(x - w * 0.16, y + height / 2);
    path.lineTo(x - w * 0.04, y + height * 0.15);
    path.cubicTo(x - w * 0.12, y + height * 0.32, x - w / 2, y + height * 0.3, x - w / 2, y + height * 0.1);
    path.cubicTo(x - w / 2, y - height * 0.1, x - w * 0.15, y - height * 0.25, x, y - height / 2);
    return path;
}

QPainterPath heart(double x, double y, double height)
{
    const double w = height * 0.85;
    QPainterPath path;
    path.moveTo(x, y + height / 2);
    path.cubicTo(x - w * 0.2, y + height * 0.25, x - w / 2, y + height * 0.05, x - w / 2, y - height * 0.2);
    path.cubicTo(x - w / 2, y - height * 0.45, x - w * 0.1, y - height * 0.55, x, y - height * 0.25);
    path.cubicTo(x + w * 0.1, y - height * 0.55, x + w / 2, y - height * 0.45, x + w / 2, y - height * 0.2);
    path.cubicTo(x + w / 2, y + height * 0.05, x + w * 0.2, y + height * 0.25, x, y + height / 2);
    return path;
}

// One plain card face: a white rounded card with a large suit mark.
void drawCard(QPainter &painter, const QRectF &rect, double angle, bool red)
{
    painter.save();
    painter.translate(rect.center());
    painter.rotate(angle);
    const QRectF card(-rect.width() / 2, -rect.height() / 2, rect.width(), rect.height());
    painter.setPen(QPen(QColor(60, 60, 60), 1.2));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(card, rect.width() * 0.08, rect.width() * 0.08);
    painter.setPen(Qt::NoPen);
    painter.setBrush(red ? QColor(200, 20, 30) : QColor(20, 20, 20));
    painter.drawPath(red ? heart(0, 0, rect.height() * 0.42) : spade(0, 0, rect.height() * 0.42));
    painter.restore();
}

} // namespace

QImage splashPicture()
{
    QImage image(SplashSize, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient felt(0, 0, 0, 250);
    felt.setColorAt(0, QColor(0, 120, 40));
    felt.setColorAt(1, QColor(0, 70, 25));
    painter.fillRect(QRect(0, 0, 400, 250), felt);
    // A fan of four cards at the left.
    const QRectF card(48, 62, 84, 116);
    for (int i = 0; i < 4; ++i)
        drawCard(painter, card.translated(i * 22, 0), -24 + i * 16, i % 2 == 1);
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setPixelSize(46);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(QColor(0, 30, 10));
    painter.drawText(QRectF(182, 72, 210, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tarnwick"));
    painter.setPen(QColor(250, 235, 170));
    painter.drawText(QRectF(180, 70, 210, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tarnwick"));
    QFont subtitle(QStringLiteral("DejaVu Sans"));
    subtitle.setPixelSize(15);
    painter.setFont(subtitle);
    painter.setPen(QColor(220, 240, 220));
    painter.drawText(QRectF(184, 128, 210, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Patience games"));
    // The raised bevel: light at the top left, dark at the bottom right.
    painter.setRenderHint(QPainter::Antialiasing, false);
    const int width = image.width();
    const int height = image.height();
    painter.setPen(QColor(255, 255, 255));
    painter.drawLine(0, 0, width - 1, 0);
    painter.drawLine(0, 0, 0, height - 1);
    painter.setPen(QColor(64, 64, 64));
    painter.drawLine(width - 1, 0, width - 1, height - 1);
    painter.drawLine(0, height - 1, width - 1, height - 1);
    QFont version(QStringLiteral("DejaVu Sans"));
    version.setPixelSize(12);
    painter.setFont(version);
    painter.setPen(QColor(230, 240, 230));
    painter.drawText(QRect(0, height - 28, width - 12, 20), Qt::AlignRight | Qt::AlignVCenter,
                     QString::fromLatin1(VersionText));
    return image;
}

void paintProgramIcon(QPainter &painter, double size)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double s = size / 64.0;
    painter.setPen(QPen(QColor(0, 90, 30), 2 * s));
    painter.setBrush(QColor(0, 128, 0));
    painter.drawRoundedRect(QRectF(2 * s, 2 * s, 60 * s, 60 * s), 10 * s, 10 * s);
    painter.setPen(QPen(QColor(50, 50, 50), 1.5 * s));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(15 * s, 8 * s, 34 * s, 48 * s), 4 * s, 4 * s);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(20, 20, 20));
    painter.drawPath(spade(32 * s, 32 * s, 26 * s));
    painter.restore();
}

QImage programIconPicture(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintProgramIcon(painter, size);
    painter.end();
    return image;
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(QPixmap::fromImage(programIconPicture(size)));
    return icon;
}
