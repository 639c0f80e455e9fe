// GridPrinter: prints a grid's visible columns and rows under a page title,
// with page numbers and the print date in the footer.
#pragma once

#include "shell/forms/printer.h"

#include <QList>
#include <QString>

class DataGrid;
class QWidget;
class Prompter;

struct GridPrintSettings {
    QString title;  // centred in the page header
    // Footer texts; "&[Page]" becomes the page number, "&[date]" the print
    // date; a line break puts a second line under the first.
    QString footerLeft, footerCentre, footerRight;
    // The columns fill the page width, widened or narrowed, on the paper as
    // it stands (the address book). Otherwise a grid wider than the page
    // turns the paper to landscape and, wider still, is scaled to its width.
    bool fitToWidth = false;
};

// The printout of a grid as it stands when the printer is made: every
// visible column in the grid's order and width, the rows the grid's data
// holds, and the footer row when the grid shows one.
class GridPrinter : public PrintDocument {
public:
    GridPrinter(DataGrid& grid, GridPrintSettings settings);
    // On the given paper and orientation rather than the current printer's.
    GridPrinter(DataGrid& grid, GridPrintSettings settings, const QPageLayout& paper);

    QString title() const override { return settings_.title; }
    QPageLayout pageLayout() const override;
    int pageCount() const override;
    void paintPage(QPainter& painter, int page, double pixelsPerMm) const override;
    int find(const QString& text, int from) const override;

    // The share of the grid's width that reaches the paper: 1 when it fits.
    double scale() const { return scale_; }

    // The print preview, from which the user may also print.
    void preview(Prompter& prompter, QWidget* parent) const;
    // Straight to the current printer, all pages, one copy, no dialog. No
    // printer or a printing error: the printing system's message, nothing printed.
    bool print(Prompter& prompter) const;

    // The title question: preset with the window's default title; Cancel keeps the preset.
    static QString askTitle(Prompter& prompter, const QString& defaultTitle);
    static QString expandFooter(const QString& text, int page);

private:
    void drawTable(QPainter& painter, int page) const;
    int lineCount() const;  // the rows and the footer row
    double titleHeight() const;
    double footerHeight() const;

    DataGrid& grid_;
    GridPrintSettings settings_;
    QPageLayout layout_;
    QList<int> columns_;    // logical columns, in screen order
    QList<double> widths_;  // screen pixels
    bool twoLevels_ = false;
    bool footerRow_ = false;
    double scale_ = 1;      // screen pixels of the table to screen pixels on paper
    int rowsPerPage_ = 1;
};
