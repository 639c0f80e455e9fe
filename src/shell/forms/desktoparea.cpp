#include "shell/forms/desktoparea.h"

#include "shell/forms/artwork.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMdiSubWindow>
#include <QPainter>

DesktopArea::DesktopArea(QWidget* parent)
    : QMdiArea(parent), tile_(artwork::desktopTile()), logo_(artwork::desktopLogo()) {
    setObjectName("ClientArea");
}

bool DesktopArea::setWallpaper(const QString& file) {
    wallpaper_ = QFileInfo(file).isFile() ? QImageReader(file).read() : QImage();
    viewport()->update();
    return !wallpaper_.isNull();
}

void DesktopArea::arrangeIcons() {
    QList<QMdiSubWindow*> icons;
    for (QMdiSubWindow* sub : subWindowList(CreationOrder))
        if (sub->isMinimized()) icons.append(sub);
    if (icons.isEmpty()) return;
    const QSize area = viewport()->size();
    const QSize icon = icons.constFirst()->size();  // minimised windows are all one size
    const int perRow = std::max(area.width() / std::max(icon.width(), 1), 1);
    for (int i = 0; i < icons.size(); ++i)
        icons[i]->move(i % perRow * icon.width(), area.height() - (i / perRow + 1) * icon.height());
}

QPoint DesktopArea::logoPosition(const QSize& client, const QSize& logo) {
    return {(client.width() - logo.width()) * 2 / 3, (client.height() - logo.height()) * 2 / 3};
}

void DesktopArea::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const QSize client = viewport()->size();
    for (int row = 0; row <= client.height() / tile_.height(); ++row)
        for (int col = 0; col <= client.width() / tile_.width(); ++col)
            p.drawImage(col * tile_.width(), row * tile_.height(), tile_);
    if (!wallpaper_.isNull()) {
        p.drawImage(QRect(QPoint(0, 0), client), wallpaper_);
        return;
    }
    // The logo's white lets the tiles show through.
    p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p.drawImage(logoPosition(client, logo_.size()), logo_);
}
