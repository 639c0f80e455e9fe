// ReportPreview: the print preview of templates and grids, with zoom, save
// as PDF, print, find and close. Only the pages on screen are drawn, at the
// zoom shown, and a few are kept for scrolling back: a long report costs no
// more memory than a short one.
#pragma once

#include <QAbstractScrollArea>
#include <QCache>
#include <QDialog>
#include <QImage>

class PrintDocument;
class Prompter;

class PageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit PageView(const PrintDocument& document, QWidget* parent = nullptr);

    void setZoom(double percent);
    double zoom() const { return zoom_; }
    void showPage(int page);
    // The page at the top of the view.
    int currentPage() const;
    // How many times a page was drawn since the view was made.
    int pagesDrawn() const { return pagesDrawn_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QSize pageSize() const;  // on screen, at the zoom
    int pageTop(int page) const;
    QImage page(int page);
    void updateScrollBars();

    const PrintDocument& document_;
    double zoom_ = 100;
    QCache<int, QImage> drawn_;  // cost in kilobytes
    int pagesDrawn_ = 0;
};

class ReportPreview : public QDialog {
    Q_OBJECT
public:
    ReportPreview(const PrintDocument& document, Prompter& prompter, QWidget* parent = nullptr);

    void setZoom(double percent);
    // Shows the next page holding the text; false (with a message) when none does.
    bool findText(const QString& text);
    bool saveAsPdf(const QString& file);
    int currentPage() const { return view_->currentPage(); }
    const PageView& view() const { return *view_; }

private:
    const PrintDocument& document_;
    Prompter& prompter_;
    PageView* view_;
    int found_ = -1;  // find next goes on after the page last found
};
