// CsvFile: the rows of a CSV file as a spreadsheet saves it, each with the
// physical line it starts on, so a refusal can name the line a shopkeeper
// sees in an editor.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace importing {

struct CsvRecord {
    int line = 0;  // the physical line the row starts on, the first line being 1
    QStringList cells;
};

struct CsvFile {
    QList<CsvRecord> records;  // rows whose cells are all empty are left out
    QString error;             // why the file cannot be read; empty when it was
    int errorLine = 0;         // where, when the fault is at a line

    bool ok() const { return error.isEmpty(); }

    // A file in UTF-8 (with or without a byte-order mark) or, when its bytes
    // are not valid UTF-8, GB18030. Fields are separated by commas and may be
    // quoted; a quoted field holds commas, line breaks and doubled quotes.
    // Spaces around an unquoted field are dropped.
    static CsvFile read(const QString& path);
    static CsvFile parse(const QByteArray& bytes);
};

}  // namespace importing
