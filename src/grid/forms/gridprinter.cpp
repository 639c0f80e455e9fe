#include "grid/forms/gridprinter.h"

#include "database/rowset.h"
#include "grid/forms/datagrid.h"
#include "shell/forms/printer.h"
#include "shell/prompter.h"

#include <QDate>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {
constexpr double kMarginMm = 2.0;

QFont songFont(int pixelSize, bool bold = false) {
    QFont f;
    f.setFamilies({"宋体", "SimSun", "AR PL UMing CN", "Noto Serif CJK SC", "Noto Sans CJK SC"});
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}
}  // namespace

struct GridPrinter::Layout {
    QRectF page;             // inside the margins, device pixels
    double scale = 1;        // screen pixels to device pixels
    double rowHeight = 0, titleHeight = 0, headerHeight = 0, footerHeight = 0;
    int rowsPerPage = 1;
    QList<int> columns;      // logical columns, in screen order
    QList<double> widths;    // device pixels
    bool twoLevels = false;
};

GridPrinter::Layout GridPrinter::layout(QPagedPaintDevice& device) const {
    Layout l;
    const double mm = device.logicalDpiX() / 25.4;
    l.page = QRectF(kMarginMm * mm, kMarginMm * mm, device.width() - 2 * kMarginMm * mm,
                    device.height() - 2 * kMarginMm * mm);
    l.scale = device.logicalDpiX() / 96.0;
    l.columns = grid_.visibleColumns();
    double total = 0;
    for (int c : l.columns) {
        l.widths.append(grid_.columnWidth(c) * l.scale);
        total += l.widths.last();
        if (!grid_.columns()[c].groupTitle().isEmpty()) l.twoLevels = true;
    }
    if (settings_.fitToWidth && total > l.page.width())
        for (double& w : l.widths) w *= l.page.width() / total;
    l.rowHeight = 20 * l.scale;
    l.titleHeight = settings_.title.isEmpty() ? 0 : 34 * l.scale;
    l.headerHeight = l.rowHeight * (l.twoLevels ? 2 : 1);
    l.footerHeight = 24 * l.scale;
    const double body = l.page.height() - l.titleHeight - l.headerHeight - l.footerHeight;
    l.rowsPerPage = std::max(1, int(body / l.rowHeight));
    return l;
}

int GridPrinter::pageCount(QPagedPaintDevice& device) const {
    const int rows = grid_.rows().recordCount();
    const int perPage = layout(device).rowsPerPage;
    return std::max(1, (rows + perPage - 1) / perPage);
}

QString GridPrinter::expandFooter(const QString& text, int page) {
    return QString(text)
        .replace("&[Page]", QString::number(page))
        .replace("&[date]", QDate::currentDate().toString("yyyy-MM-dd"));
}

bool GridPrinter::render(QPagedPaintDevice& device) const {
    const Layout l = layout(device);
    QPainter p;
    if (!p.begin(&device)) return false;
    const QAbstractItemModel* model = grid_.model();
    const int rows = grid_.rows().recordCount();
    const int pages = pageCount(device);
    const QFont cellFont = songFont(int(12 * l.scale));
    for (int page = 1; page <= pages; ++page) {
        if (page > 1) device.newPage();
        double y = l.page.top();
        if (!settings_.title.isEmpty()) {
            p.setFont(songFont(int(18 * l.scale), true));
            p.drawText(QRectF(l.page.left(), y, l.page.width(), l.titleHeight), Qt::AlignCenter, settings_.title);
            y += l.titleHeight;
        }
        // Column titles on every page; a group title once over its columns.
        p.setFont(cellFont);
        double x = l.page.left();
        for (int i = 0; i < l.columns.size(); ++i) {
            const GridColumn& c = grid_.columns()[l.columns[i]];
            QRectF lower(x, y, l.widths[i], l.headerHeight);
            if (l.twoLevels && !c.groupTitle().isEmpty()) {
                lower.setTop(y + l.rowHeight);
                const bool startsGroup = i == 0 || grid_.columns()[l.columns[i - 1]].groupTitle() != c.groupTitle();
                if (startsGroup) {
                    double span = 0;
                    for (int k = i; k < l.columns.size() && grid_.columns()[l.columns[k]].groupTitle() == c.groupTitle(); ++k)
                        span += l.widths[k];
                    const QRectF group(x, y, span, l.rowHeight);
                    p.drawRect(group);
                    p.drawText(group, Qt::AlignCenter, c.groupTitle());
                }
            }
            p.drawRect(lower);
            p.drawText(lower, Qt::AlignCenter, c.columnTitle());
            x += l.widths[i];
        }
        y += l.headerHeight;
        const int first = (page - 1) * l.rowsPerPage;
        for (int r = first; r < std::min(rows, first + l.rowsPerPage); ++r) {
            x = l.page.left();
            for (int i = 0; i < l.columns.size(); ++i) {
                const QModelIndex index = model->index(r, l.columns[i]);
                const QRectF cell(x, y, l.widths[i], l.rowHeight);
                p.drawRect(cell);
                const auto align = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
                p.drawText(cell.adjusted(3 * l.scale, 0, -3 * l.scale, 0), align, index.data().toString());
                x += l.widths[i];
            }
            y += l.rowHeight;
        }
        const QRectF footer(l.page.left(), l.page.bottom() - l.footerHeight, l.page.width(), l.footerHeight);
        p.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, expandFooter(settings_.footerLeft, page));
        p.drawText(footer, Qt::AlignHCenter | Qt::AlignVCenter, expandFooter(settings_.footerCentre, page));
        p.drawText(footer, Qt::AlignRight | Qt::AlignVCenter, expandFooter(settings_.footerRight, page));
    }
    return p.end();
}

void GridPrinter::preview(QWidget* parent) const {
    QPrintPreviewDialog dialog(&currentPrinter(), parent);
    dialog.setWindowTitle("打印预览");
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [this](QPrinter* printer) { render(*printer); });
    dialog.exec();
}

bool GridPrinter::print(Prompter& prompter) const {
    return printOnCurrentPrinter(prompter, [this](QPrinter& printer) { return render(printer); });
}

QString GridPrinter::askTitle(Prompter& prompter, const QString& defaultTitle) {
    return prompter.inputText("请输入报表标题:", defaultTitle).value_or(defaultTitle);
}
