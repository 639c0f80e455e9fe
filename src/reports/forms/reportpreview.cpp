#include "reports/forms/reportpreview.h"

#include "shell/forms/buttonrow.h"
#include "shell/forms/printer.h"
#include "shell/prompter.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QScrollArea>
#include <QScrollBar>

ReportPreview::ReportPreview(const reports::PreparedReport& pages, Prompter& prompter, QWidget* parent)
    : QDialog(parent), pages_(pages), prompter_(prompter) {
    setObjectName("frmpreview");
    setWindowTitle("打印预览");
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
    tools->add("btnPrint", "打印", [this] {
        printOnCurrentPrinter(prompter_, [this](QPrinter& printer) { return reports::ReportEngine::render(pages_, printer); });
    });
    tools->add("btnFind", "查找", [this] {
        if (const auto text = prompter_.inputText("查找内容:", {})) findText(*text);
    });
    tools->add("btnClose", "关闭", [this] { accept(); });
    tools->addStretch();

    scroll_ = new QScrollArea(this);
    sheet_ = new QWidget;
    sheetLayout_ = new QVBoxLayout(sheet_);
    sheet_->setStyleSheet("background: #808080");
    scroll_->setWidget(sheet_);
    scroll_->setWidgetResizable(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(scroll_, 1);
    resize(900, 700);
    showPages();
}

void ReportPreview::showPages() {
    qDeleteAll(pageLabels_);
    pageLabels_.clear();
    const double ppm = 96 / 25.4 * zoom_ / 100;
    for (int page = 0; page < pages_.pages.size(); ++page) {
        QImage image((pages_.pageMm * ppm).toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        reports::ReportEngine::renderPage(pages_, page, p, ppm);
        p.end();
        auto* label = new QLabel(sheet_);
        label->setPixmap(QPixmap::fromImage(image));
        label->setAlignment(Qt::AlignCenter);
        sheetLayout_->addWidget(label);
        pageLabels_.append(label);
    }
}

void ReportPreview::setZoom(double percent) {
    zoom_ = std::clamp(percent, 25.0, 400.0);
    showPages();
}

bool ReportPreview::findText(const QString& text) {
    int page = reports::ReportEngine::find(pages_, text, searched_ ? current_ + 1 : 0);
    searched_ = true;
    if (page < 0) page = reports::ReportEngine::find(pages_, text, 0);
    if (page < 0) {
        prompter_.message("没有找到: " + text);
        return false;
    }
    current_ = page;
    scroll_->ensureWidgetVisible(pageLabels_[page]);
    return true;
}

bool ReportPreview::saveAsPdf(const QString& file) {
    QPdfWriter pdf(file);
    pdf.setResolution(300);
    return reports::ReportEngine::render(pages_, pdf);
}
