// Printing, previewing and designing with a report template, as every
// document window and the goods stock query do.
#pragma once

#include "reports/reportengine.h"

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

// Print straight to the current printer (preview = false) or show the
// preview. False when nothing was printed: the print rule, a missing or
// unreadable template ("报表文件没有找到！"), a cancelled preparation (the
// job's abort message) or a printing error.
bool printWithTemplate(const TemplatePrintJob& job, bool preview, Prompter& prompter, QWidget* parent);

// Opens the designer on the template; "报表文件不存在！" when it cannot be loaded.
bool designTemplate(const TemplatePrintJob& job, Prompter& prompter, QWidget* parent);
