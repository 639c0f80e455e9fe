#include "shell/localtext.h"

#include <QStringDecoder>

#include <iconv.h>

namespace {

// Files written on Windows are in the GB character set; glibc's iconv reads
// them whatever Qt was built with.
std::optional<QString> fromGb18030(const QByteArray& bytes) {
    iconv_t cd = iconv_open("UTF-8", "GB18030");
    if (cd == iconv_t(-1)) return std::nullopt;
    QByteArray in = bytes, out(bytes.size() * 2 + 16, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    size_t inLeft = size_t(in.size()), outLeft = size_t(out.size());
    const bool whole = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1) && inLeft == 0;
    iconv_close(cd);
    if (!whole) return std::nullopt;
    return QString::fromUtf8(out.constData(), int(out.size() - qsizetype(outLeft)));
}

}  // namespace

std::optional<QString> decodeLocalText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError()) return fromGb18030(bytes);
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    return text;
}
