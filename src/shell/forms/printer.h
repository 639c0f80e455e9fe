// The current printer: chosen by the printer set-up command, used by every
// print; and what every printout is to it and to the preview.
#pragma once

#include <QPageLayout>
#include <QPrinter>

#include <memory>

class Prompter;
class QPainter;
class QPagedPaintDevice;
class QProgressDialog;
class QWidget;

// A printout page by page: the preview draws the pages on screen, the
// printer and the PDF file get all of them.
class PrintDocument {
public:
    virtual ~PrintDocument() = default;
    // The print job's name and the preview's caption.
    virtual QString title() const = 0;
    // Paper and orientation; a page is drawn over the whole sheet.
    virtual QPageLayout pageLayout() const = 0;
    virtual int pageCount() const = 0;
    // Draws one page (counted from 0) with the painter's origin at the
    // sheet's top-left corner.
    virtual void paintPage(QPainter& painter, int page, double pixelsPerMm) const = 0;
    // The first page from `from` on that shows the text, or -1.
    virtual int find(const QString& text, int from) const = 0;
};

// A box with the page being worked on and a cancel button; it appears
// only when the work takes longer than a moment.
class PageProgress {
public:
    PageProgress(const QString& text, int pages, QWidget* parent = nullptr);
    ~PageProgress();
    // Page `page` (from 1) starts; false once the user has cancelled.
    bool step(int page);

private:
    QString text_;
    std::unique_ptr<QProgressDialog> box_;
};

QPrinter& currentPrinter();

// Prints straight to the current printer: all pages, one copy, collated,
// no dialog, the document's title as the job's name. Never into a file a
// print dialog chose earlier: a direct print goes to the printer. The
// printer keeps its own paper and orientation for the next print. No
// printer, or the printer reporting an error: a message, and false; false
// too when the user cancels while the pages go out.
bool printOnCurrentPrinter(Prompter& prompter, const PrintDocument& document);

// Every page on a printer or PDF writer, set to the document's paper.
bool printPages(const PrintDocument& document, QPagedPaintDevice& device, PageProgress* progress = nullptr);
