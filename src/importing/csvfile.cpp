#include "importing/csvfile.h"

#include "shell/localtext.h"

#include <QFile>

#include <csv.h>

#include <algorithm>

namespace importing {
namespace {

// What libcsv's callbacks fill in while the text is fed to it a physical
// line at a time, so every row knows where it began.
struct Reading {
    QList<CsvRecord> records;
    QStringList cells;
    int line = 0;          // the line being fed
    int start = 0;         // where the row under way began
    bool inRow = false;

    void beginRow() {
        if (inRow) return;
        inRow = true;
        start = line;
    }
    static void cell(void* text, size_t size, void* self) {
        auto& r = *static_cast<Reading*>(self);
        r.beginRow();
        r.cells.append(QString::fromUtf8(static_cast<const char*>(text), qsizetype(size)));
    }
    static void rowEnd(int, void* self) {
        auto& r = *static_cast<Reading*>(self);
        r.beginRow();
        const bool blank = std::all_of(r.cells.cbegin(), r.cells.cend(), [](const QString& c) { return c.isEmpty(); });
        if (!blank) r.records.append({r.start, r.cells});
        r.cells.clear();
        r.inRow = false;
    }
};

}  // namespace

CsvFile CsvFile::read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {{}, QString("无法读取文件: %1").arg(path), 0};
    return parse(file.readAll());
}

// The reading itself is libcsv's (RFC 4180, strict about stray quotes).
CsvFile CsvFile::parse(const QByteArray& bytes) {
    const std::optional<QString> text = decodeLocalText(bytes);
    if (!text) return {{}, "文件既不是 UTF-8 也不是 GB18030 编码", 0};
    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0) return {{}, "内存不足", 0};
    Reading reading;
    CsvFile result;
    const QStringList lines = text->split('\n');
    for (int i = 0; i < lines.size() && result.ok(); ++i) {
        QString line = lines[i];
        if (line.endsWith('\r')) line.chop(1);
        if (i + 1 < lines.size()) line += '\n';
        reading.line = i + 1;
        if (!reading.inRow && !line.trimmed().isEmpty()) reading.beginRow();
        const QByteArray utf8 = line.toUtf8();
        if (csv_parse(&parser, utf8.constData(), size_t(utf8.size()), Reading::cell, Reading::rowEnd, &reading)
            != size_t(utf8.size()))
            result = {{}, "引号不配对或位置不对", reading.line};
    }
    if (result.ok() && csv_fini(&parser, Reading::cell, Reading::rowEnd, &reading) != 0)
        result = {{}, "引号没有结束", reading.start};
    csv_free(&parser);
    if (result.ok()) result.records = std::move(reading.records);
    return result;
}

}  // namespace importing
