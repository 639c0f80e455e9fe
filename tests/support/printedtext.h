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

inline QStringList printedPages(const PrintDocument& document) {
    QTemporaryDir dir;
    const QString folder = qEnvironmentVariableIsSet("QUORVEL_RENDER_DIR") ? qEnvironmentVariable("QUORVEL_RENDER_DIR")
                                                                           : dir.path();
    const QString file = folder + "/" + document.title() + ".pdf";
    {
        QPdfWriter pdf(file);
        pdf.setResolution(300);
        if (!printPages(document, pdf) || !hasPdfToText()) return {};
    }
    QProcess p;
    p.start(QStandardPaths::findExecutable("pdftotext"), {"-layout", file, "-"});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput())
        .normalized(QString::NormalizationForm_KC)
        .split('\f', Qt::SkipEmptyParts);
}
