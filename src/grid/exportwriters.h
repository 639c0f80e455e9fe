// The grid export's file writers: Excel 97-2003, CSV, HTML, RTF and plain text.
#pragma once

#include <QIODevice>
#include <QList>
#include <QString>
#include <QVariant>

// What a writer reads: titles and cells of the visible columns, row by row,
// straight from the grid's data without a copy.
class ExportSource {
public:
    virtual ~ExportSource() = default;
    virtual int columnCount() const = 0;
    virtual QString title(int column) const = 0;  // a two-level title as "尺码|36"
    virtual int rowCount() const = 0;
    virtual QVariant value(int row, int column) const = 0;
    // The column as the grid shows it: its width in screen pixels and the
    // display format of its numbers ("0.00;-0.00;#"; empty: as they are).
    virtual int width(int column) const { return 80; }
    virtual QString format(int column) const { return {}; }
};

class RowSet;

// The rows of a RowSet in its order and filter, the given fields as columns.
class RowSetExport : public ExportSource {
public:
    struct Column {
        int field = -1;
        QString title;
        int width = 80;
        QString format;
    };
    RowSetExport(const RowSet& rows, QList<Column> columns) : rows_(rows), columns_(std::move(columns)) {}
    int columnCount() const override { return int(columns_.size()); }
    QString title(int column) const override { return columns_[column].title; }
    int rowCount() const override;
    QVariant value(int row, int column) const override;
    int width(int column) const override { return columns_[column].width; }
    QString format(int column) const override { return columns_[column].format; }

private:
    const RowSet& rows_;
    QList<Column> columns_;
};

namespace exportwriters {

enum class Format { Excel, Csv, Html, Rtf, Text };

// Writes the whole source in the format; false when the device refuses the
// bytes (a full disk) or the format cannot hold the data (Excel: 256 columns).
// Excel continues on further sheets past 65 536 rows, each under the titles.
bool write(Format format, const ExportSource& source, QIODevice& out);

// The file name the export writes: the extension is appended unless the
// name already ends in it (compared without regard to case).
QString withExtension(const QString& fileName, Format format);

// A two-level title in one line for the formats without title rows:
// "当前库存|数量" reads "当前库存 数量".
QString readableTitle(const QString& title);

// Text a spreadsheet would take for a formula (=, +, -, @, tab, CR first)
// gets an apostrophe in front; numbers written as text stay as they are.
QString guardedText(const QString& text);

// A display format in Excel's number-format syntax: the sections and digit
// places stay, other literal text is quoted ("￥0.00" becomes "\"￥\"0.00").
QString excelNumberFormat(const QString& displayFormat);

}  // namespace exportwriters
