// A compound file (the container of Excel 97-2003 workbooks) holding one stream.
#pragma once

#include <QByteArray>
#include <QString>

// Written by hand: no Debian library writes the legacy container. Version 3
// layout with 512-byte sectors; the stream is padded to 4096 bytes so that
// it lives in regular sectors and no mini stream is needed.
QByteArray compoundFileWithStream(const QString& streamName, QByteArray stream);
