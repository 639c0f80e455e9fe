// A printout written to a PDF file and read back as text with pdftotext,
// one entry per page; empty when pdftotext is not installed (skip then).
// Text extraction gives some characters as the Kangxi radical of the same
// shape (⽋ for 欠); they are read as the characters they show. With
// QUORVEL_RENDER_DIR set, the PDF is kept there under the printout's title.
#pragma once

#include "shell/forms/printer.h"

#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

inline bool hasPdfToText() { return !QStandardPaths::findExecutable("pdftotext").isEmpty(); }

// The text of a PDF file, one entry per page.
inline QStringList pdfPages(const QString& file) {
    QProcess p;
    p.start(QStandardPaths::findExecutable("pdftotext"), {"-layout", file, "-"});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput())
        .normalized(QString::NormalizationForm_KC)
        .split('\f', Qt::SkipEmptyParts);
}

// Where a test keeps the PDF named `name`: QUORVEL_RENDER_DIR, or the temporary folder given.
inline QString renderedFile(const QString& name, const QTemporaryDir& otherwise) {
    const QString folder = qEnvironmentVariableIsSet("QUORVEL_RENDER_DIR") ? qEnvironmentVariable("QUORVEL_RENDER_DIR")
                                                                           : otherwise.path();
    return folder + "/" + name + ".pdf";
}

inline QStringList printedPages(const PrintDocument& document) {
    QTemporaryDir dir;
    const QString file = renderedFile(document.title(), dir);
    {
        QPdfWriter pdf(file);
        pdf.setResolution(300);
        if (!printPages(document, pdf) || !hasPdfToText()) return {};
    }
    return pdfPages(file);
}
