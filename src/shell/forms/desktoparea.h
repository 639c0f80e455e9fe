// DesktopArea: the area holding the child windows, painted with the tiles and
// the logo, or a wallpaper picture stretched over it.
#pragma once

#include <QImage>
#include <QMdiArea>

class DesktopArea : public QMdiArea {
    Q_OBJECT
public:
    explicit DesktopArea(QWidget* parent = nullptr);

    // Loads a picture to stretch over the area; false (and the built-in logo
    // stays) when the file cannot be read. Any format Qt reads, BMP included.
    // Only a regular file is read: a directory or a named pipe (whose reader
    // waits for a writer) set by mistake must not hold up start-up.
    bool setWallpaper(const QString& file);
    bool hasWallpaper() const { return !wallpaper_.isNull(); }

    // The window menu's 排列: lines up the minimised windows along the bottom,
    // left to right and then upwards; the other windows stay where they are.
    void arrangeIcons();

    // Where the logo sits: two thirds of the way into the free space across and down.
    static QPoint logoPosition(const QSize& client, const QSize& logo);
    QSize logoSize() const { return logo_.size(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage tile_, logo_, wallpaper_;
};
