#include "shell/forms/desktoparea.h"

#include "shell/forms/artwork.h"

#include <QImageReader>
#include <QPainter>

DesktopArea::DesktopArea(QWidget* parent)
    : QMdiArea(parent), tile_(artwork::desktopTile()), logo_(artwork::desktopLogo()) {
    setObjectName("ClientArea");
}

bool DesktopArea::setWallpaper(const QString& file) {
    QImageReader reader(file);
    wallpaper_ = reader.read();
    viewport()->update();
    return !wallpaper_.isNull();
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
