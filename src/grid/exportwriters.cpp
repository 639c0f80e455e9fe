#include "grid/exportwriters.h"

#include "database/rowset.h"
#include "grid/compoundfile.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QStringList>
#include <QtEndian>

#include <algorithm>

int RowSetExport::rowCount() const { return rows_.recordCount(); }

QVariant RowSetExport::value(int row, int column) const { return rows_.valueAt(row, columns_[column].field); }

namespace exportwriters {

QString readableTitle(const QString& title) { return QString(title).replace('|', ' '); }

QString guardedText(const QString& text) {
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    if (text.isEmpty() || !formulaStarts.contains(text.front())) return text;
    static const QRegularExpression plainNumber(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)");
    return plainNumber.match(text).hasMatch() ? text : '\'' + text;
}

QString excelNumberFormat(const QString& displayFormat) {
    QString out, literal;
    auto flushLiteral = [&] {
        if (literal.isEmpty()) return;
        out += '"' + literal + '"';
        literal.clear();
    };
    for (qsizetype i = 0; i < displayFormat.size(); ++i) {
        const QChar ch = displayFormat[i];
        if (ch == '"' || ch == '\'') {  // a quoted run of the display format
            qsizetype end = displayFormat.indexOf(ch, i + 1);
            if (end < 0) end = displayFormat.size();
            literal += displayFormat.mid(i + 1, end - i - 1);
            i = end;
        } else if (QStringLiteral("0#.,;%-+() ").contains(ch)) {
            flushLiteral();
            out += ch;
        } else {
            literal += ch;
        }
    }
    flushLiteral();
    return out;
}

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

// The title rows as the grid draws them: a group title once over its
// neighbouring columns, the column titles under it.
struct TitleCell {
    QString group, name;
    int groupSpan = 0;  // at the first column of a group: how many columns it covers
};

struct Titles {
    bool twoLevels = false;
    QList<TitleCell> cells;
    int rows() const { return twoLevels ? 2 : 1; }
};

Titles titlesOf(const ExportSource& s) {
    Titles t;
    for (int c = 0; c < s.columnCount(); ++c) {
        const QString title = s.title(c);
        TitleCell cell;
        cell.group = title.contains('|') ? title.section('|', 0, 0) : QString();
        cell.name = title.section('|', -1);
        t.twoLevels = t.twoLevels || !cell.group.isEmpty();
        t.cells.append(cell);
    }
    for (int c = 0; c < t.cells.size(); ++c) {
        const QString& group = t.cells[c].group;
        if (group.isEmpty() || (c > 0 && t.cells[c - 1].group == group)) continue;
        int span = 1;
        while (c + span < t.cells.size() && t.cells[c + span].group == group) ++span;
        t.cells[c].groupSpan = span;
    }
    return t;
}

// Text formats are written in pieces of about a megabyte, not built whole.
class ChunkedOutput {
public:
    explicit ChunkedOutput(QIODevice& out) : out_(out) {}
    ChunkedOutput& operator<<(const QString& text) {
        chunk_ += text.toUtf8();
        if (chunk_.size() > (1 << 20)) flush();
        return *this;
    }
    ChunkedOutput& raw(const QByteArray& bytes) {
        chunk_ += bytes;
        return *this;
    }
    bool flush() {
        ok_ = ok_ && out_.write(chunk_) == chunk_.size();
        chunk_.clear();
        return ok_;
    }

private:
    QIODevice& out_;
    QByteArray chunk_;
    bool ok_ = true;
};

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// ------------------------------------------------------------------ delimited

QString csvField(const QString& text) {
    const bool plain = std::none_of(text.begin(), text.end(),
                                    [](QChar c) { return c == '"' || c == ',' || c == '\r' || c == '\n'; });
    if (plain) return text;
    return '"' + QString(text).replace("\"", "\"\"") + '"';
}

bool writeDelimited(const ExportSource& s, QIODevice& out, bool csv) {
    auto field = [csv](const QString& text) {
        const QString t = guardedText(text);
        return csv ? csvField(t) : QString(t).replace('\t', ' ').replace('\r', ' ').replace('\n', ' ');
    };
    const QString separator = csv ? "," : "\t";
    const QString lineEnd = csv ? "\r\n" : "\n";
    ChunkedOutput o(out);
    o.raw(kUtf8Bom);
    QStringList cells;
    for (int c = 0; c < s.columnCount(); ++c) cells.append(field(readableTitle(s.title(c))));
    o << cells.join(separator) + lineEnd;
    for (int r = 0; r < s.rowCount(); ++r) {
        cells.clear();
        for (int c = 0; c < s.columnCount(); ++c) cells.append(field(cellText(s.value(r, c))));
        o << cells.join(separator) + lineEnd;
    }
    return o.flush();
}

// ----------------------------------------------------------------------- HTML

// Cells of text are marked as text (the style spreadsheets read), so that
// codes keep their leading zeros and "=1+2" stays what it says.
bool writeHtml(const ExportSource& s, QIODevice& out) {
    const Titles titles = titlesOf(s);
    ChunkedOutput o(out);
    o << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Quorvel</title>\n"
         "<style>td.t{mso-number-format:\"\\@\";}</style></head><body>\n"
         "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n<tr>";
    for (const TitleCell& cell : titles.cells) {
        if (cell.group.isEmpty())
            o << (titles.twoLevels ? "<th rowspan=\"2\">" : "<th>") + cell.name.toHtmlEscaped() + "</th>";
        else if (cell.groupSpan > 0)
            o << QString("<th colspan=\"%1\">").arg(cell.groupSpan) + cell.group.toHtmlEscaped() + "</th>";
    }
    o << "</tr>\n";
    if (titles.twoLevels) {
        o << "<tr>";
        for (const TitleCell& cell : titles.cells)
            if (!cell.group.isEmpty()) o << "<th>" + cell.name.toHtmlEscaped() + "</th>";
        o << "</tr>\n";
    }
    for (int r = 0; r < s.rowCount(); ++r) {
        QString row = "<tr>";
        for (int c = 0; c < s.columnCount(); ++c) {
            const QVariant v = s.value(r, c);
            row += isNumber(v) ? "<td align=\"right\">" : "<td class=\"t\">";
            row += cellText(v).toHtmlEscaped() + "</td>";
        }
        o << row + "</tr>\n";
    }
    o << "</table>\n</body></html>\n";
    return o.flush();
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
    constexpr int kTwipsPerPixel = 15;  // a screen pixel at 96 dpi
    QString row;
    int right = 0;
    for (int c = 0; c < s.columnCount(); ++c) {
        right += std::max(1, s.width(c)) * kTwipsPerPixel;
        row += QString("\\clbrdrt\\brdrs\\clbrdrl\\brdrs\\clbrdrb\\brdrs\\clbrdrr\\brdrs\\cellx%1").arg(right);
    }
    auto tableRow = [&](auto cellOf) {
        QString r = "\\trowd\\trgaph60" + row + "\n";
        for (int c = 0; c < s.columnCount(); ++c) r += "\\pard\\intbl " + rtfText(cellOf(c)) + "\\cell\n";
        return r + "\\row\n";
    };
    ChunkedOutput o(out);
    o << "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\\f0\\fs18\n";
    o << tableRow([&](int c) { return readableTitle(s.title(c)); });
    for (int r = 0; r < s.rowCount(); ++r) o << tableRow([&](int c) { return cellText(s.value(r, c)); });
    o << "\\pard\n}\n";
    return o.flush();
}

// ---------------------------------------------------------------------- Excel

class Biff {
public:
    void record(quint16 type, const QByteArray& body) {
        append16(type);
        append16(quint16(body.size()));
        data_ += body;
    }
    void number(int row, int col, quint16 xf, double v) {
        append16(0x0203);
        append16(14);
        append16(quint16(row));
        append16(quint16(col));
        append16(xf);
        data_ += f64(v);
    }
    void blank(int row, int col, quint16 xf) {
        record(0x0201, u16(quint16(row)) + u16(quint16(col)) + u16(xf));
    }
    void label(int row, int col, quint16 xf, const QString& text) {
        record(0x0204, u16(quint16(row)) + u16(quint16(col)) + u16(xf) + unicode(text, false));
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

constexpr quint16 kGeneralXf = 15, kTitleXf = 16, kFirstFormatXf = 17, kFirstFormat = 164;
constexpr int kSheetRows = 65536;

QByteArray bof(quint16 type) {
    return Biff::u16(0x0600) + Biff::u16(type) + Biff::u16(0x0DBB) + Biff::u16(0x07CC) + Biff::u32(0) + Biff::u32(0x06);
}

QByteArray font(quint16 weight) {
    return Biff::u16(0xC8) + Biff::u16(0) + Biff::u16(0x7FFF) + Biff::u16(weight) + Biff::u16(0) + QByteArray(1, 0) +
           QByteArray(1, 0) + QByteArray(1, char(134)) + QByteArray(1, 0) + Biff::unicode("SimSun", true);
}

// A cell format: font, number format, alignment (horizontal in the low
// three bits, vertical in the next), every attribute its own.
QByteArray cellXf(quint16 fontIndex, quint16 format, quint8 alignment) {
    return Biff::u16(fontIndex) + Biff::u16(format) + Biff::u16(0x0001) + QByteArray(1, char(alignment)) +
           QByteArray(1, 0) + Biff::u16(0xFC00) + Biff::u32(0) + Biff::u32(0) + Biff::u16(0x20C0);
}

// One sheet: the title rows, then rows [first, first + count) of the source.
QByteArray sheetStream(const ExportSource& s, const Titles& titles, const QList<quint16>& columnXf, int first,
                       int count, bool selected) {
    const int columns = s.columnCount();
    Biff sheet;
    sheet.record(0x0809, bof(0x0010));
    for (int c = 0; c < columns; ++c) {
        // Widths count the digit "0" of the default font, about seven pixels.
        const int width = std::clamp(s.width(c) * 256 / 7, 256, 255 * 256);
        sheet.record(0x007D, Biff::u16(quint16(c)) + Biff::u16(quint16(c)) + Biff::u16(quint16(width)) +
                                 Biff::u16(kGeneralXf) + Biff::u16(0) + Biff::u16(0));
    }
    sheet.record(0x0200, Biff::u32(0) + Biff::u32(quint32(titles.rows() + count)) + Biff::u16(0) +
                             Biff::u16(quint16(columns)) + Biff::u16(0));
    QByteArray merges;
    int mergeCount = 0;
    auto merge = [&](int row1, int row2, int col1, int col2) {
        merges += Biff::u16(quint16(row1)) + Biff::u16(quint16(row2)) + Biff::u16(quint16(col1)) + Biff::u16(quint16(col2));
        ++mergeCount;
    };
    for (int c = 0; c < columns; ++c) {
        const TitleCell& cell = titles.cells[c];
        if (!titles.twoLevels) {
            sheet.label(0, c, kTitleXf, cell.name);
        } else if (cell.group.isEmpty()) {
            sheet.label(0, c, kTitleXf, cell.name);
            sheet.blank(1, c, kTitleXf);
            merge(0, 1, c, c);
        } else {
            if (cell.groupSpan > 0) sheet.label(0, c, kTitleXf, cell.group);
            else sheet.blank(0, c, kTitleXf);
            if (cell.groupSpan > 1) merge(0, 0, c, c + cell.groupSpan - 1);
            sheet.label(1, c, kTitleXf, cell.name);
        }
    }
    for (int r = 0; r < count; ++r) {
        const int row = titles.rows() + r;
        for (int c = 0; c < columns; ++c) {
            const QVariant v = s.value(first + r, c);
            if (isNumber(v)) sheet.number(row, c, columnXf[c], v.toDouble());
            else if (const QString text = cellText(v); !text.isEmpty())
                sheet.label(row, c, kGeneralXf, text.left(4000));  // a record holds at most 8224 bytes
        }
    }
    sheet.record(0x023E, Biff::u16(selected ? 0x06B6 : 0x00B6) + Biff::u16(0) + Biff::u16(0) + Biff::u32(0x40) +
                             Biff::u16(0) + Biff::u16(0) + Biff::u32(0));
    if (mergeCount > 0) sheet.record(0x00E5, Biff::u16(quint16(mergeCount)) + merges);  // at most 256 columns: one record
    sheet.record(0x000A, {});
    return sheet.data();
}

bool writeExcel(const ExportSource& s, QIODevice& out) {
    const int columns = s.columnCount();
    if (columns > 256) return false;
    const Titles titles = titlesOf(s);
    const int rowsPerSheet = kSheetRows - titles.rows();
    const int sheets = std::max(1, (s.rowCount() + rowsPerSheet - 1) / rowsPerSheet);

    // Each display format in use becomes a number format with its cell format.
    QStringList formats;
    QList<quint16> columnXf;
    for (int c = 0; c < columns; ++c) {
        const QString format = excelNumberFormat(s.format(c));
        if (format.isEmpty()) {
            columnXf.append(kGeneralXf);
            continue;
        }
        if (!formats.contains(format)) formats.append(format);
        columnXf.append(quint16(kFirstFormatXf + formats.indexOf(format)));
    }

    Biff globals;
    globals.record(0x0809, bof(0x0005));
    globals.record(0x0042, Biff::u16(1200));  // code page: UTF-16
    globals.record(0x003D, Biff::u16(0) + Biff::u16(0) + Biff::u16(0x3000) + Biff::u16(0x2000) + Biff::u16(0x38) +
                               Biff::u16(0) + Biff::u16(0) + Biff::u16(1) + Biff::u16(0x258));
    // Fonts 0 to 3 and 5 (there is no font 4) regular, font 6 bold for the titles.
    for (int i = 0; i < 5; ++i) globals.record(0x0031, font(400));
    globals.record(0x0031, font(700));
    for (int i = 0; i < formats.size(); ++i)
        globals.record(0x041E, Biff::u16(quint16(kFirstFormat + i)) + Biff::unicode(formats[i], false));
    // Fifteen style formats, then the cell formats: general, title, one per number format.
    const QByteArray styleXf = Biff::u16(0) + Biff::u16(0) + Biff::u16(0xFFF5) + Biff::u16(0x20) + Biff::u16(0) +
                               Biff::u32(0) + Biff::u32(0) + Biff::u16(0x20C0);
    for (int i = 0; i < 15; ++i) globals.record(0x00E0, styleXf);
    globals.record(0x00E0, cellXf(0, 0, 0x20));
    globals.record(0x00E0, cellXf(6, 0, 0x12));  // bold, centred both ways
    for (int i = 0; i < formats.size(); ++i) globals.record(0x00E0, cellXf(0, quint16(kFirstFormat + i), 0x20));
    globals.record(0x0293, Biff::u16(0x8000) + QByteArray(1, 0) + QByteArray(1, char(0xFF)));
    QList<int> boundSheetAt;
    for (int k = 0; k < sheets; ++k) {
        boundSheetAt.append(int(globals.data().size()));
        globals.record(0x0085, Biff::u32(0) + QByteArray(1, 0) + QByteArray(1, 0) +
                                   Biff::unicode(QString("Sheet%1").arg(k + 1), true));
    }
    globals.record(0x000A, {});

    QByteArray workbook = globals.data();
    for (int k = 0; k < sheets; ++k) {
        // Where the sheet starts, in its BOUNDSHEET record.
        qToLittleEndian(quint32(workbook.size()), workbook.data() + boundSheetAt[k] + 4);
        const int first = k * rowsPerSheet;
        workbook += sheetStream(s, titles, columnXf, first, std::min(rowsPerSheet, s.rowCount() - first), k == 0);
    }
    const QByteArray file = compoundFileWithStream("Workbook", workbook);
    return out.write(file) == file.size();
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
