// Printing, previewing and designing with a report template, as every
// document window and the goods stock query do.
#pragma once

#include "reports/reportengine.h"
#include "shell/forms/printer.h"

#include <QString>

#include <functional>

class Prompter;
class QWidget;

struct TemplatePrintJob {
    QString file;                 // the template below reports/
    reports::DataSources sources;
    bool printRuleApplies = false;  // documents: an unposted one may not be printed…
    bool printRuleOn = true;        // …while the print rule of SYS_VEXA.INI is on
    QString documentStatus;         // the document's BZW
    QString abortPrint = "打印被用户终止！";
    QString abortPreview = "打印被用户终止！";
    // Told as each page is prepared; false cancels. Unset: a progress box with a cancel button.
    std::function<bool(int page)> progress;
};

// The prepared pages of a template as a printout, under the template's title.
class TemplateDocument : public PrintDocument {
public:
    explicit TemplateDocument(const reports::PreparedReport& pages) : pages_(pages) {}
    QString title() const override { return pages_.title; }
    QPageLayout pageLayout() const override { return pages_.pageLayout; }
    int pageCount() const override { return int(pages_.pages.size()); }
    void paintPage(QPainter& painter, int page, double pixelsPerMm) const override {
        reports::ReportEngine::renderPage(pages_, page, painter, pixelsPerMm);
    }
    int find(const QString& text, int from) const override { return reports::ReportEngine::find(pages_, text, from); }

private:
    const reports::PreparedReport& pages_;
};

// Print straight to the current printer (preview = false) or show the
// preview. False when nothing was printed: the print rule, a missing or
// unreadable template ("报表文件没有找到！"), a cancelled preparation (the
// job's abort message) or a printing error. Fields the template names that
// the window does not have are told before the pages (they print empty).
bool printWithTemplate(const TemplatePrintJob& job, bool preview, Prompter& prompter, QWidget* parent);

// Opens the designer on the template; "报表文件不存在！" when it cannot be loaded.
bool designTemplate(const TemplatePrintJob& job, Prompter& prompter, QWidget* parent);
