#include "reports/forms/reportpreview.h"

#include "shell/forms/buttonrow.h"
#include "shell/forms/printer.h"
#include "shell/prompter.h"

#include <QComboBox>
#include <QPainter>
#include <QPdfWriter>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
constexpr int kGap = 12;                  // grey between the pages, screen pixels
constexpr int kCacheKilobytes = 64 * 1024;  // a few pages at any zoom
}  // namespace

PageView::PageView(const PrintDocument& document, QWidget* parent)
    : QAbstractScrollArea(parent), document_(document), drawn_(kCacheKilobytes) {
    setObjectName("pages");
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(40);
    horizontalScrollBar()->setSingleStep(40);
}

QSize PageView::pageSize() const {
    const double pixelsPerMm = logicalDpiX() / 25.4 * zoom_ / 100;
    return (document_.pageLayout().fullRect(QPageLayout::Millimeter).size() * pixelsPerMm).toSize();
}

int PageView::pageTop(int page) const { return kGap + page * (pageSize().height() + kGap); }

void PageView::setZoom(double percent) {
    const int page = currentPage();
    zoom_ = std::clamp(percent, 25.0, 400.0);
    drawn_.clear();
    updateScrollBars();
    showPage(page);
    viewport()->update();
}

void PageView::showPage(int page) { verticalScrollBar()->setValue(pageTop(page) - kGap); }

int PageView::currentPage() const {
    const int top = verticalScrollBar()->value();
    return std::clamp(top / (pageSize().height() + kGap), 0, std::max(0, document_.pageCount() - 1));
}

void PageView::updateScrollBars() {
    const QSize page = pageSize();
    const int height = kGap + document_.pageCount() * (page.height() + kGap);
    verticalScrollBar()->setRange(0, std::max(0, height - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
    horizontalScrollBar()->setRange(0, std::max(0, page.width() + 2 * kGap - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

void PageView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

QImage PageView::page(int page) {
    if (const QImage* kept = drawn_.object(page)) return *kept;
    const double pixelsPerMm = logicalDpiX() / 25.4 * zoom_ / 100;
    QImage image(pageSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    document_.paintPage(p, page, pixelsPerMm);
    p.end();
    ++pagesDrawn_;
    drawn_.insert(page, new QImage(image), int(image.sizeInBytes() / 1024));
    return image;
}

void PageView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), QColor(128, 128, 128));
    const QSize size = pageSize();
    const int top = verticalScrollBar()->value();
    const int left = std::max(kGap, (viewport()->width() - size.width()) / 2) - horizontalScrollBar()->value();
    const int step = size.height() + kGap;
    const int first = std::max(0, (top - kGap) / step);
    for (int page = first; page < document_.pageCount(); ++page) {
        const int y = pageTop(page) - top;
        if (y >= viewport()->height()) break;
        if (y + size.height() > 0) p.drawImage(QPoint(left, y), this->page(page));
    }
}

ReportPreview::ReportPreview(const PrintDocument& document, Prompter& prompter, QWidget* parent)
    : QDialog(parent), document_(document), prompter_(prompter) {
    setObjectName("frmpreview");
    setWindowTitle(document.title().isEmpty() ? "打印预览" : document.title());
    view_ = new PageView(document, this);
    auto* zoom = new QComboBox(this);
    zoom->setObjectName("cbZoom");
    for (int z : {50, 75, 100, 150, 200}) zoom->addItem(QString("%1%").arg(z), z);
    zoom->setCurrentIndex(2);
    connect(zoom, &QComboBox::activated, this, [this, zoom](int i) { setZoom(zoom->itemData(i).toDouble()); });

    auto* tools = new ButtonRow(this);
    tools->addWidget(zoom);
    tools->add("btnSave", "保存", [this] {
        if (const auto f = prompter_.chooseSaveFile({"PDF 文件 (*.pdf)"}, "report.pdf")) {
            QString file = f->path;
            if (!file.endsWith(".pdf", Qt::CaseInsensitive)) file += ".pdf";
            if (!saveAsPdf(file)) prompter_.message("文件保存失败!");
        }
    });
    tools->add("btnPrint", "打印", [this] { printOnCurrentPrinter(prompter_, document_); });
    tools->add("btnFind", "查找", [this] {
        if (const auto text = prompter_.inputText("查找内容:", {})) findText(*text);
    });
    tools->add("btnClose", "关闭", [this] { accept(); });
    tools->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(view_, 1);
    resize(900, 700);
}

void ReportPreview::setZoom(double percent) { view_->setZoom(percent); }

bool ReportPreview::findText(const QString& text) {
    int page = document_.find(text, found_ + 1);
    if (page < 0) page = document_.find(text, 0);
    if (page < 0) {
        prompter_.message("没有找到: " + text);
        return false;
    }
    found_ = page;
    view_->showPage(page);
    return true;
}

bool ReportPreview::saveAsPdf(const QString& file) {
    QPdfWriter pdf(file);
    pdf.setResolution(300);
    pdf.setTitle(document_.title());
    PageProgress progress("正在保存: 第 %1 页", document_.pageCount(), this);
    return printPages(document_, pdf, &progress);
}
