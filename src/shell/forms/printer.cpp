#include "shell/forms/printer.h"

#include "shell/prompter.h"

#include <QPainter>
#include <QPrinterInfo>
#include <QProgressDialog>

PageProgress::PageProgress(const QString& text, int pages, QWidget* parent)
    : text_(text), box_(std::make_unique<QProgressDialog>(text.arg(1), "取消", 0, pages, parent)) {
    box_->setWindowTitle("Quorvel商业信息系统");
    box_->setWindowModality(Qt::ApplicationModal);
    box_->setMinimumDuration(500);
    box_->setValue(0);  // starts the clock of the minimum duration
}

PageProgress::~PageProgress() = default;

bool PageProgress::step(int page) {
    box_->setLabelText(text_.arg(page));
    box_->setValue(page);  // shows the box once it is due and lets it see the cancel button
    return !box_->wasCanceled();
}

QPrinter& currentPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

bool printPages(const PrintDocument& document, QPagedPaintDevice& device, PageProgress* progress) {
    QPageLayout layout = document.pageLayout();
    layout.setMargins(QMarginsF(0, 0, 0, 0));
    layout.setMinimumMargins(QMarginsF(0, 0, 0, 0));
    if (!device.setPageLayout(layout)) return false;
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const double pixelsPerMm = device.logicalDpiX() / 25.4;
    for (int page = 0; page < document.pageCount(); ++page) {
        if (progress && !progress->step(page + 1)) {
            if (auto* printer = dynamic_cast<QPrinter*>(&device)) printer->abort();
            painter.end();
            return false;
        }
        if (page > 0) device.newPage();
        painter.save();
        document.paintPage(painter, page, pixelsPerMm);
        painter.restore();
    }
    return painter.end();
}

bool printOnCurrentPrinter(Prompter& prompter, const PrintDocument& document) {
    QPrinter& printer = currentPrinter();
    // A file chosen in a print dialog was for that print only.
    printer.setOutputFileName({});
    if (printer.outputFormat() != QPrinter::NativeFormat || QPrinterInfo::availablePrinters().isEmpty()) {
        prompter.message("打印失败：没有安装打印机。");
        return false;
    }
    const QPageLayout ownLayout = printer.pageLayout();
    const bool ownFullPage = printer.fullPage();
    printer.setDocName(document.title());
    printer.setCopyCount(1);
    printer.setCollateCopies(true);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFullPage(true);
    PageProgress progress("正在打印: 第 %1 页", document.pageCount());
    const bool printed = printPages(document, printer, &progress);
    const bool failed = printer.printerState() == QPrinter::Error;
    printer.setPageLayout(ownLayout);
    printer.setFullPage(ownFullPage);
    if (failed || (!printed && printer.printerState() != QPrinter::Aborted)) {
        prompter.message("打印失败：打印机报告错误。");
        return false;
    }
    return printed;
}
