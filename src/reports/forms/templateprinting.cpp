#include "reports/forms/templateprinting.h"

#include "reports/forms/reportdesigner.h"
#include "reports/forms/reportpreview.h"
#include "shell/forms/printer.h"
#include "shell/prompter.h"

#include <QApplication>
#include <QProgressDialog>

namespace {

reports::PreparedReport prepareWithProgress(const reports::ReportEngine& engine, const TemplatePrintJob& job,
                                            QWidget* parent) {
    if (job.progress) return engine.prepare(job.progress);
    QProgressDialog box("正在准备报表....", "取消", 0, 0, parent);
    box.setWindowTitle("Quorvel商业信息系统");
    box.setMinimumDuration(300);
    return engine.prepare([&box](int page) {
        box.setLabelText(QString("正在准备报表: 第 %1 页").arg(page));
        QApplication::processEvents();
        return !box.wasCanceled();
    });
}

}  // namespace

bool printWithTemplate(const TemplatePrintJob& job, bool preview, Prompter& prompter, QWidget* parent) {
    if (job.printRuleApplies && job.printRuleOn && job.documentStatus == "1") {
        prompter.message("单据未经审核记帐，不能进行打印!");
        return false;
    }
    const auto report = reports::loadTemplate(job.file);
    if (!report) {
        prompter.message("报表文件没有找到！");
        return false;
    }
    const reports::ReportEngine engine(*report, job.sources);
    const reports::PreparedReport pages = prepareWithProgress(engine, job, parent);
    if (pages.cancelled) {
        prompter.message(preview ? job.abortPreview : job.abortPrint);
        return false;
    }
    if (preview) {
        ReportPreview window(pages, prompter, parent);
        window.exec();
        return true;
    }
    return printOnCurrentPrinter(prompter, [&pages](QPrinter& printer) {
        return reports::ReportEngine::render(pages, printer);
    });
}

bool designTemplate(const TemplatePrintJob& job, Prompter& prompter, QWidget* parent) {
    auto report = reports::loadTemplate(job.file);
    if (!report) {
        prompter.message("报表文件不存在！");
        return false;
    }
    ReportDesigner designer(job.file, *report, job.sources, prompter, parent);
    designer.exec();
    return true;
}
