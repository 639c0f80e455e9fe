#include "grid/exportwriters.h"

#include "database/rowset.h"
#include "grid/compoundfile.h"

#include <QDateTime>
#include <QStringList>
#include <QtEndian>

#include <algorithm>

int RowSetExport::rowCount() const { return rows_.recordCount(); }

QVariant RowSetExport::value(int row, int column) const { return rows_.valueAt(row, fields_[column]); }

namespace exportwriters {
namespace {

bool isNumber(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong: return !v.isNull();
    default: return false;
    }
}

// A cell as text: numbers in full, dates in the system's short form, Null empty.
QString cellText(const QVariant& v) {
    if (v.isNull()) return {};
    if (v.typeId() == QMetaType::Double) return QString::number(v.toDouble(), 'g', 15);
    if (v.typeId() == QMetaType::QDateTime) {
        const QDateTime dt = v.toDateTime();
        return dt.toString(dt.time() == QTime(0, 0) ? "yyyy-MM-dd" : "yyyy-MM-dd HH:mm:ss");
    }
    if (v.typeId() == QMetaType::Bool) return v.toBool() ? "True" : "False";
    return v.toString();
}

bool writeAll(QIODevice& out, const QByteArray& bytes) { return out.write(bytes) == bytes.size(); }

// ------------------------------------------------------------------ delimited

QString csvField(const QString& text) {
    const bool plain = std::none_of(text.begin(), text.end(),
                                    [](QChar c) { return c == '"' || c == ',' || c == '\r' || c == '\n'; });
    if (plain) return text;
    return '"' + QString(text).replace("\"", "\"\"") + '"';
}

bool writeDelimited(const ExportSource& s, QIODevice& out, bool csv) {
    auto field = [csv](const QString& t) { return csv ? csvField(t) : QString(t).replace('\t', ' ').replace('\n', ' '); };
    const QString separator = csv ? "," : "\t";
    const QString lineEnd = csv ? "\r\n" : "\n";
    QStringList cells;
    for (int c = 0; c < s.columnCount(); ++c) cells.append(field(s.title(c)));
    QByteArray chunk = csv ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    chunk += (cells.join(separator) + lineEnd).toUtf8();
    for (int r = 0; r < s.rowCount(); ++r) {
        cells.clear();
        for (int c = 0; c < s.columnCount(); ++c) cells.append(field(cellText(s.value(r, c))));
        chunk += (cells.join(separator) + lineEnd).toUtf8();
        if (chunk.size() > (1 << 20)) {
            if (!writeAll(out, chunk)) return false;
            chunk.clear();
        }
    }
    return writeAll(out, chunk);
}

// ----------------------------------------------------------------------- HTML

bool writeHtml(const ExportSource& s, QIODevice& out) {
    QString html = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Quorvel</title></head><body>\n"
                   "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n<tr>";
    for (int c = 0; c < s.columnCount(); ++c) html += "<th>" + s.title(c).toHtmlEscaped() + "</th>";
    html += "</tr>\n";
    for (int r = 0; r < s.rowCount(); ++r) {
        html += "<tr>";
        for (int c = 0; c < s.columnCount(); ++c) {
            const QVariant v = s.value(r, c);
            html += isNumber(v) ? "<td align=\"right\">" : "<td>";
            html += cellText(v).toHtmlEscaped() + "</td>";
        }
        html += "</tr>\n";
    }
    html += "</table>\n</body></html>\n";
    return writeAll(out, html.toUtf8());
}

// ------------------------------------------------------------------------ RTF

QString rtfText(const QString& text) {
    QString out;
    for (const QChar ch : text) {
        const ushort u = ch.unicode();
        if (ch == '\\' || ch == '{' || ch == '}') out += '\\' + QString(ch);
        else if (u == '\n') out += "\\line ";
        else if (u < 0x80) out += ch;
        else out += QString("\\u%1?").arg(qint16(u));  // RTF takes signed 16-bit code units
    }
    return out;
}

bool writeRtf(const ExportSource& s, QIODevice& out) {
    const int width = 1600;  // twips per column
    QString row;
    for (int c = 0; c < s.columnCount(); ++c)
        row += QString("\\clbrdrt\\brdrs\\clbrdrl\\brdrs\\clbrdrb\\brdrs\\clbrdrr\\brdrs\\cellx%1").arg((c + 1) * width);
    auto tableRow = [&](auto cellOf) {
        QString r = "\\trowd\\trgaph60" + row + "\n";
        for (int c = 0; c < s.columnCount(); ++c) r += "\\pard\\intbl " + rtfText(cellOf(c)) + "\\cell\n";
        return r + "\\row\n";
    };
    QString rtf = "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\\f0\\fs18\n";
    rtf += tableRow([&](int c) { return s.title(c); });
    for (int r = 0; r < s.rowCount(); ++r) rtf += tableRow([&](int c) { return cellText(s.value(r, c)); });
    rtf += "\\pard\n}\n";
    return writeAll(out, rtf.toLatin1());
}

// ---------------------------------------------------------------------- Excel

class Biff {
public:
    void record(quint16 type, const QByteArray& body) {
        append16(type);
        append16(quint16(body.size()));
        data_ += body;
    }
    QByteArray& data() { return data_; }

    static QByteArray u16(quint16 v) {
        QByteArray b(2, '\0');
        qToLittleEndian(v, b.data());
        return b;
    }
    static QByteArray u32(quint32 v) {
        QByteArray b(4, '\0');
        qToLittleEndian(v, b.data());
        return b;
    }
    static QByteArray f64(double v) {
        QByteArray b(8, '\0');
        qToLittleEndian(v, b.data());
        return b;
    }
    // An uncompressed UTF-16 string with a 1- or 2-byte length.
    static QByteArray unicode(const QString& text, bool shortLength) {
        QByteArray b = shortLength ? QByteArray(1, char(text.size())) : u16(quint16(text.size()));
        b += char(1);
        for (const QChar ch : text) b += u16(ch.unicode());
        return b;
    }

private:
    void append16(quint16 v) { data_ += u16(v); }
    QByteArray data_;
};

bool writeExcel(const ExportSource& s, QIODevice& out) {
    constexpr int kMaxRows = 65536;
    if (s.rowCount() + 1 > kMaxRows || s.columnCount() > 256) return false;
    auto bof = [](quint16 type) {
        return Biff::u16(0x0600) + Biff::u16(type) + Biff::u16(0x0DBB) + Biff::u16(0x07CC) + Biff::u32(0) +
               Biff::u32(0x06);
    };
    Biff globals;
    globals.record(0x0809, bof(0x0005));
    globals.record(0x0042, Biff::u16(1200));  // code page: UTF-16
    globals.record(0x003D, Biff::u16(0) + Biff::u16(0) + Biff::u16(0x3000) + Biff::u16(0x2000) + Biff::u16(0x38) +
                               Biff::u16(0) + Biff::u16(0) + Biff::u16(1) + Biff::u16(0x258));
    const QByteArray font = Biff::u16(0xC8) + Biff::u16(0) + Biff::u16(0x7FFF) + Biff::u16(400) + Biff::u16(0) +
                            QByteArray(1, 0) + QByteArray(1, 0) + QByteArray(1, char(134)) + QByteArray(1, 0) +
                            Biff::unicode("SimSun", true);
    for (int i = 0; i < 5; ++i) globals.record(0x0031, font);
    // Fifteen style formats and the one cell format every cell uses (number 15).
    const QByteArray styleXf = Biff::u16(0) + Biff::u16(0) + Biff::u16(0xFFF5) + Biff::u16(0x20) + Biff::u16(0) +
                               Biff::u32(0) + Biff::u32(0) + Biff::u16(0x20C0);
    const QByteArray cellXf = Biff::u16(0) + Biff::u16(0) + Biff::u16(0x0001) + Biff::u16(0x20) + Biff::u16(0) +
                              Biff::u32(0) + Biff::u32(0) + Biff::u16(0x20C0);
    for (int i = 0; i < 15; ++i) globals.record(0x00E0, styleXf);
    globals.record(0x00E0, cellXf);
    globals.record(0x0293, Biff::u16(0x8000) + QByteArray(1, 0) + QByteArray(1, char(0xFF)));
    const QString sheetName = "Sheet1";
    const int boundSheetAt = int(globals.data().size());
    globals.record(0x0085, Biff::u32(0) + QByteArray(1, 0) + QByteArray(1, 0) + Biff::unicode(sheetName, true));
    globals.record(0x000A, {});

    Biff sheet;
    sheet.record(0x0809, bof(0x0010));
    sheet.record(0x0200, Biff::u32(0) + Biff::u32(quint32(s.rowCount() + 1)) + Biff::u16(0) +
                             Biff::u16(quint16(s.columnCount())) + Biff::u16(0));
    constexpr quint16 kCellXf = 15;
    auto cell = [&sheet](int row, int col, const QVariant& v) {
        const QByteArray where = Biff::u16(quint16(row)) + Biff::u16(quint16(col)) + Biff::u16(kCellXf);
        if (isNumber(v)) {
            sheet.record(0x0203, where + Biff::f64(v.toDouble()));
            return;
        }
        const QString text = cellText(v).left(4000);  // a record holds at most 8224 bytes
        if (!text.isEmpty()) sheet.record(0x0204, where + Biff::unicode(text, false));
    };
    for (int c = 0; c < s.columnCount(); ++c) cell(0, c, s.title(c));
    for (int r = 0; r < s.rowCount(); ++r)
        for (int c = 0; c < s.columnCount(); ++c) cell(r + 1, c, s.value(r, c));
    sheet.record(0x023E, Biff::u16(0x06B6) + Biff::u16(0) + Biff::u16(0) + Biff::u32(0x40) + Biff::u16(0) +
                             Biff::u16(0) + Biff::u32(0));
    sheet.record(0x000A, {});

    QByteArray workbook = globals.data();
    qToLittleEndian(quint32(workbook.size()), workbook.data() + boundSheetAt + 4);  // where the sheet starts
    workbook += sheet.data();
    return writeAll(out, compoundFileWithStream("Workbook", workbook));
}

}  // namespace

bool write(Format format, const ExportSource& source, QIODevice& out) {
    switch (format) {
    case Format::Excel: return writeExcel(source, out);
    case Format::Csv: return writeDelimited(source, out, true);
    case Format::Html: return writeHtml(source, out);
    case Format::Rtf: return writeRtf(source, out);
    case Format::Text: return writeDelimited(source, out, false);
    }
    return false;
}

QString withExtension(const QString& fileName, Format format) {
    static const char* const extensions[] = {".xls", ".csv", ".htm", ".rtf", ".txt"};
    const QString extension = extensions[int(format)];
    return fileName.right(4).compare(extension, Qt::CaseInsensitive) == 0 ? fileName : fileName + extension;
}

}  // namespace exportwriters
