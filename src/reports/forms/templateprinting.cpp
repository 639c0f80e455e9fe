#include "reports/forms/templateprinting.h"

#include "reports/forms/reportdesigner.h"
#include "reports/forms/reportpreview.h"
#include "shell/prompter.h"

namespace {

reports::PreparedReport prepareWithProgress(const reports::ReportEngine& engine, const TemplatePrintJob& job,
                                            QWidget* parent) {
    if (job.progress) return engine.prepare(job.progress);
    PageProgress box("正在准备报表: 第 %1 页", 0, parent);
    return engine.prepare([&box](int page) { return box.step(page); });
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
    if (const QStringList unknown = engine.unknownNames(); !unknown.isEmpty())
        prompter.message("报表中有不能识别的数据项: " + unknown.join(", "));
    const reports::PreparedReport pages = prepareWithProgress(engine, job, parent);
    if (pages.cancelled) {
        prompter.message(preview ? job.abortPreview : job.abortPrint);
        return false;
    }
    const TemplateDocument document(pages);
    if (preview) {
        ReportPreview window(document, prompter, parent);
        window.exec();
        return true;
    }
    return printOnCurrentPrinter(prompter, document);
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
