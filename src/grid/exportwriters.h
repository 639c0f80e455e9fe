// The grid export's file writers: Excel 97-2003, CSV, HTML, RTF and plain text.
#pragma once

#include <QIODevice>
#include <QList>
#include <QStringList>
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
};

class RowSet;

// The rows of a RowSet in its order and filter, the given fields as columns.
class RowSetExport : public ExportSource {
public:
    RowSetExport(const RowSet& rows, QList<int> fields, QStringList titles)
        : rows_(rows), fields_(std::move(fields)), titles_(std::move(titles)) {}
    int columnCount() const override { return int(fields_.size()); }
    QString title(int column) const override { return titles_[column]; }
    int rowCount() const override;
    QVariant value(int row, int column) const override;

private:
    const RowSet& rows_;
    QList<int> fields_;
    QStringList titles_;
};

namespace exportwriters {

enum class Format { Excel, Csv, Html, Rtf, Text };

// Writes the whole source in the format; false when the device refuses the
// bytes (a full disk) or the format cannot hold the data (Excel: 65 535 rows).
bool write(Format format, const ExportSource& source, QIODevice& out);

// The file name the export writes: the extension is appended unless the
// name already ends in it (compared without regard to case).
QString withExtension(const QString& fileName, Format format);

}  // namespace exportwriters
