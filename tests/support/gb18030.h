// Text as a Chinese Windows desktop saves it: GB18030 bytes.
#pragma once

#include <QByteArray>
#include <QString>

#include <iconv.h>

inline QByteArray toGb18030(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    iconv_t cd = iconv_open("GB18030", "UTF-8");
    QByteArray in = utf8, out(utf8.size() * 2 + 16, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    size_t inLeft = size_t(in.size()), outLeft = size_t(out.size());
    iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    return out.left(out.size() - qsizetype(outLeft));
}
