// GridPrinter: prints a grid's visible columns and rows under a page title,
// with page numbers and the print date in the footer.
#pragma once

#include <QString>

class DataGrid;
class QPagedPaintDevice;
class QPrinter;
class QWidget;
class Prompter;

struct GridPrintSettings {
    QString title;  // centred in the page header
    // Footer texts; "&[Page]" becomes the page number, "&[date]" the print date.
    QString footerLeft, footerCentre, footerRight;
    bool fitToWidth = false;  // shrink the columns to the page width
};

class GridPrinter {
public:
    GridPrinter(DataGrid& grid, GridPrintSettings settings) : grid_(grid), settings_(std::move(settings)) {}

    // How many pages the grid takes on the device.
    int pageCount(QPagedPaintDevice& device) const;
    // Draws every page on the device (a printer or a PDF file).
    bool render(QPagedPaintDevice& device) const;
    // The print preview, from which the user may also print.
    void preview(QWidget* parent) const;
    // Straight to the current printer, all pages, one copy, no dialog. No
    // printer or a printing error: the printing system's message, nothing printed.
    bool print(Prompter& prompter) const;

    // The title question: preset with the window's default title; Cancel keeps the preset.
    static QString askTitle(Prompter& prompter, const QString& defaultTitle);
    static QString expandFooter(const QString& text, int page);

private:
    struct Layout;
    Layout layout(QPagedPaintDevice& device) const;

    DataGrid& grid_;
    GridPrintSettings settings_;
};
