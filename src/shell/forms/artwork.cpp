#include "shell/forms/artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

namespace artwork {

QIcon programIcon() {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0, 84, 147));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    p.setPen(Qt::white);
    QFont font("Noto Sans CJK SC", 30, QFont::Bold);
    p.setFont(font);
    p.drawText(pixmap.rect(), Qt::AlignCenter, "Q");
    return QIcon(pixmap);
}

QImage desktopTile() {
    QImage tile(64, 64, QImage::Format_RGB32);
    tile.fill(QColor(0, 96, 128));
    QPainter p(&tile);
    p.setPen(QColor(0, 110, 145));
    for (int i = -64; i < 64; i += 8) p.drawLine(i, 0, i + 64, 64);
    return tile;
}

QImage desktopLogo() {
    QImage logo(300, 120, QImage::Format_RGB32);
    logo.fill(Qt::white);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(QColor(60, 60, 60));
    p.setFont(QFont("Noto Sans CJK SC", 34, QFont::Bold));
    p.drawText(QRect(0, 0, 300, 70), Qt::AlignCenter, "Quorvel");
    p.setFont(QFont("Noto Sans CJK SC", 16));
    p.drawText(QRect(0, 70, 300, 40), Qt::AlignCenter, "商业信息系统");
    return logo;
}

}  // namespace artwork
