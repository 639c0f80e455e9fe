// ReportEngine: runs a template over the window's cursors and lays out the pages.
#pragma once

#include "reports/reporttemplate.h"

#include <QHash>
#include <QImage>

#include <functional>
#include <optional>

class QPainter;
class RowSet;

namespace reports {

// What a template reads: the rows it runs over (or none) and the window's
// other cursors, each by its name. Nothing is pushed into a report by code.
struct DataSources {
    QString dataSetName;              // e.g. "dbd"
    const RowSet* dataSet = nullptr;  // the master-data band runs once per row; without one, once
    QHash<QString, const RowSet*> cursors;
};

struct PreparedItem {
    ReportObject::Kind kind = ReportObject::Kind::Text;
    QRectF mm;        // on the page
    QString text;     // evaluated text, or the image file
    const ReportObject* style = nullptr;
};

struct PreparedReport {
    QString title;
    QPageLayout pageLayout;
    QList<QList<PreparedItem>> pages;
    bool cancelled = false;
};

class ReportEngine {
public:
    ReportEngine(const ReportTemplate& report, DataSources sources);

    // Lays out every page. progress(page) is told as each page starts; when
    // it returns false the preparation stops and the result is cancelled.
    PreparedReport prepare(const std::function<bool(int page)>& progress = {}) const;

    // The text of an object with its [expressions] evaluated. row is the
    // data set's row for the master-data band, -1 elsewhere.
    QString evaluate(const QString& text, const QString& format, int row, int page, int pages, int line) const;
    bool shown(const ReportObject& object) const;

    // The cursors and fields the template names that the sources do not
    // have ("dbm.ztxx"): they would print empty.
    QStringList unknownNames() const;

    // Draws one page; a painter on a printer, a PDF file or a picture.
    static void renderPage(const PreparedReport& report, int page, QPainter& painter, double pixelsPerMm);
    // Finds a text on the pages: the first page (from `from`) that shows it, or -1.
    static int find(const PreparedReport& report, const QString& text, int from = 0);

private:
    const RowSet* cursor(const QString& name) const;
    QVariant fieldValue(const QString& cursor, const QString& field, int row) const;

    const ReportTemplate& report_;
    DataSources sources_;
};

// Before a document prints, a line still being typed is finished: saved when
// its goods code is filled in, dropped otherwise. False when the save is refused.
bool finishLineBeingEdited(RowSet& lines, const QString& codeField);

}  // namespace reports
