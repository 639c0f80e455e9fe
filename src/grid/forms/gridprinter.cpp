#include "grid/forms/gridprinter.h"

#include "grid/forms/datagrid.h"
#include "reports/forms/reportpreview.h"
#include "shell/prompter.h"

#include <QDate>
#include <QPainter>

#include <cmath>

namespace {
// Lengths on paper are in screen pixels of 1/96 inch, as the grid's widths are.
constexpr double kPixelsPerMm = 96 / 25.4;
constexpr double kMarginMm = 2.0;
constexpr double kRowHeight = 20, kTitleHeight = 34, kFooterLineHeight = 16;

QFont songFont(int pixelSize, bool bold = false) {
    QFont f;
    f.setFamilies({"宋体", "SimSun", "AR PL UMing CN", "Noto Serif CJK SC", "Noto Sans CJK SC"});
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

// The sheet inside the margins, in screen pixels.
QSizeF printable(const QPageLayout& layout) {
    return (layout.fullRect(QPageLayout::Millimeter).size() - QSizeF(2 * kMarginMm, 2 * kMarginMm)) * kPixelsPerMm;
}
}  // namespace

GridPrinter::GridPrinter(DataGrid& grid, GridPrintSettings settings)
    : GridPrinter(grid, std::move(settings), currentPrinter().pageLayout()) {}

GridPrinter::GridPrinter(DataGrid& grid, GridPrintSettings settings, const QPageLayout& paper)
    : grid_(grid), settings_(std::move(settings)),
      layout_(paper.pageSize(), paper.orientation(), QMarginsF(0, 0, 0, 0)) {
    columns_ = grid.visibleColumns();
    double total = 0;
    for (int c : columns_) {
        widths_.append(grid.columnWidth(c));
        total += widths_.last();
        twoLevels_ = twoLevels_ || !grid.columns()[c].groupTitle().isEmpty();
    }
    footerRow_ = grid.footerVisible();
    total = std::max(total, 1.0);
    if (settings_.fitToWidth) {
        scale_ = printable(layout_).width() / total;
    } else {
        if (total > printable(layout_).width()) layout_.setOrientation(QPageLayout::Landscape);
        scale_ = std::min(1.0, printable(layout_).width() / total);
    }
    const double headerHeight = kRowHeight * (twoLevels_ ? 2 : 1);
    const double tableHeight = (printable(layout_).height() - titleHeight() - footerHeight()) / scale_;
    rowsPerPage_ = std::max(1, int((tableHeight - headerHeight) / kRowHeight));
}

double GridPrinter::titleHeight() const { return settings_.title.isEmpty() ? 0 : kTitleHeight; }

double GridPrinter::footerHeight() const {
    qsizetype lines = 0;
    for (const QString* text : {&settings_.footerLeft, &settings_.footerCentre, &settings_.footerRight})
        if (!text->isEmpty()) lines = std::max(lines, text->count('\n') + 1);
    return lines == 0 ? 0 : 8 + kFooterLineHeight * double(lines);
}

QPageLayout GridPrinter::pageLayout() const { return layout_; }

int GridPrinter::lineCount() const { return grid_.model()->rowCount() + (footerRow_ ? 1 : 0); }

int GridPrinter::pageCount() const { return std::max(1, (lineCount() + rowsPerPage_ - 1) / rowsPerPage_); }

QString GridPrinter::expandFooter(const QString& text, int page) {
    return QString(text)
        .replace("&[Page]", QString::number(page))
        .replace("&[date]", QDate::currentDate().toString("yyyy-MM-dd"));
}

void GridPrinter::paintPage(QPainter& p, int page, double pixelsPerMm) const {
    p.translate(kMarginMm * pixelsPerMm, kMarginMm * pixelsPerMm);
    p.scale(pixelsPerMm / kPixelsPerMm, pixelsPerMm / kPixelsPerMm);
    const QSizeF area = printable(layout_);
    p.setPen(Qt::black);
    if (!settings_.title.isEmpty()) {
        p.setFont(songFont(18, true));
        p.drawText(QRectF(0, 0, area.width(), kTitleHeight), Qt::AlignCenter, settings_.title);
    }
    // The table alone is scaled: title and footers keep their size.
    p.save();
    p.translate(0, titleHeight());
    p.scale(scale_, scale_);
    drawTable(p, page);
    p.restore();
    p.setFont(songFont(12));
    const QRectF footer(0, area.height() - footerHeight(), area.width(), footerHeight());
    p.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, expandFooter(settings_.footerLeft, page + 1));
    p.drawText(footer, Qt::AlignHCenter | Qt::AlignVCenter, expandFooter(settings_.footerCentre, page + 1));
    p.drawText(footer, Qt::AlignRight | Qt::AlignVCenter, expandFooter(settings_.footerRight, page + 1));
}

void GridPrinter::drawTable(QPainter& p, int page) const {
    const QList<GridColumn>& columns = grid_.columns();
    p.setFont(songFont(12));
    p.setPen(QPen(Qt::black, 0.5));
    auto cell = [&p](const QRectF& r, const QString& text, Qt::Alignment align) {
        p.drawRect(r);
        p.drawText(r.adjusted(3, 0, -3, 0), int(align | Qt::AlignVCenter), text);
    };
    // Column titles on every page; a group title once over its columns.
    const double headerHeight = kRowHeight * (twoLevels_ ? 2 : 1);
    double x = 0;
    for (int i = 0; i < columns_.size(); ++i) {
        const GridColumn& c = columns[columns_[i]];
        QRectF lower(x, 0, widths_[i], headerHeight);
        if (twoLevels_ && !c.groupTitle().isEmpty()) {
            lower.setTop(kRowHeight);
            if (i == 0 || columns[columns_[i - 1]].groupTitle() != c.groupTitle()) {
                double span = 0;
                for (int k = i; k < columns_.size() && columns[columns_[k]].groupTitle() == c.groupTitle(); ++k)
                    span += widths_[k];
                cell(QRectF(x, 0, span, kRowHeight), c.groupTitle(), Qt::AlignHCenter);
            }
        }
        cell(lower, c.columnTitle(), Qt::AlignHCenter);
        x += widths_[i];
    }
    const QAbstractItemModel* model = grid_.model();
    const int rows = model->rowCount();
    double y = headerHeight;
    const int first = page * rowsPerPage_;
    for (int r = first; r < std::min(rows, first + rowsPerPage_); ++r, y += kRowHeight) {
        x = 0;
        for (int i = 0; i < columns_.size(); ++i) {
            const QModelIndex index = model->index(r, columns_[i]);
            cell(QRectF(x, y, widths_[i], kRowHeight), index.data().toString(),
                 Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask);
            x += widths_[i];
        }
    }
    // The footer row as on screen: texts left, sums right, after the last row.
    if (footerRow_ && rows >= first && rows < first + rowsPerPage_) {
        x = 0;
        for (int i = 0; i < columns_.size(); ++i) {
            const GridColumn& c = columns[columns_[i]];
            cell(QRectF(x, y, widths_[i], kRowHeight), grid_.footerText(columns_[i]),
                 c.footer == GridColumn::Footer::Text ? Qt::AlignLeft : Qt::AlignRight);
            x += widths_[i];
        }
    }
}

int GridPrinter::find(const QString& text, int from) const {
    from = std::max(0, from);
    if (from >= pageCount()) return -1;
    // The title and the column titles are on every page.
    if (settings_.title.contains(text, Qt::CaseInsensitive)) return from;
    for (int c : columns_)
        if (grid_.columns()[c].title.contains(text, Qt::CaseInsensitive)) return from;
    const QAbstractItemModel* model = grid_.model();
    const int rows = model->rowCount();
    for (int r = from * rowsPerPage_; r < rows; ++r)
        for (int c : columns_)
            if (model->index(r, c).data().toString().contains(text, Qt::CaseInsensitive)) return r / rowsPerPage_;
    if (footerRow_)
        for (int c : columns_)
            if (grid_.footerText(c).contains(text, Qt::CaseInsensitive)) return rows / rowsPerPage_;
    return -1;
}

void GridPrinter::preview(Prompter& prompter, QWidget* parent) const {
    ReportPreview window(*this, prompter, parent);
    window.exec();
}

bool GridPrinter::print(Prompter& prompter) const { return printOnCurrentPrinter(prompter, *this); }

QString GridPrinter::askTitle(Prompter& prompter, const QString& defaultTitle) {
    return prompter.inputText("请输入报表标题:", defaultTitle).value_or(defaultTitle);
}
