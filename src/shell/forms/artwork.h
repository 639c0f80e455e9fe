// The program's own pictures, drawn rather than shipped as files: the icon,
// the desktop tile and the desktop logo.
#pragma once

#include <QIcon>
#include <QImage>

namespace artwork {

QIcon programIcon();
QImage desktopTile();  // 64 x 64
QImage desktopLogo();  // white where the tiles are to show through

}  // namespace artwork
