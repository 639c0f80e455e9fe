// Text files other programs wrote for the shop: the INI files older
// installations left, spreadsheets saved as CSV on a Chinese desktop.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// UTF-8 (a leading byte-order mark dropped), or GB18030 when the bytes are
// not valid UTF-8; nullopt when they are neither.
std::optional<QString> decodeLocalText(const QByteArray& bytes);
