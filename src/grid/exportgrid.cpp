#include "grid/exportgrid.h"

#include "grid/exportwriters.h"
#include "shell/prompter.h"

#include <QSaveFile>

QStringList exportFilters() {
    return {"Excel 格式 (*.XLS)",     "CSV格式(*.CSV)",         "HTML格式 (*.HTM)",
            "RTF格式 (*.RTF)",        "文本格式(*.TXT)",        "Paradox 格式 (*.DB)",
            "FoxPro 2.5格式 (*.DBF)", "dBase格式 (*.DBF)",      "文本数据库(*.TXT)"};
}

bool ExportGrid(const ExportSource& source, Prompter& prompter, const std::function<void(bool)>& setRefreshing) {
    const auto choice = prompter.chooseSaveFile(exportFilters(), {});
    if (!choice) {
        prompter.message("取消数据导出");
        return false;
    }
    prompter.showWaitBox("正在进行数据导出，请等待....");
    if (setRefreshing) setRefreshing(false);
    bool ok = true;
    if (choice->filterIndex >= 0 && choice->filterIndex <= 4) {
        const auto format = exportwriters::Format(choice->filterIndex);
        QSaveFile file(exportwriters::withExtension(choice->path, format));
        ok = file.open(QIODevice::WriteOnly) && exportwriters::write(format, source, file) && file.commit();
        if (!ok) prompter.message("数据导出失败!");
    } else {
        // The database formats are offered as they always were, but have no writer.
        prompter.message(QString("%1不能导出，没有写出文件。请选择 Excel、CSV、HTML、RTF 或文本格式。")
                             .arg(exportFilters().value(choice->filterIndex).section('(', 0, 0).trimmed()));
    }
    prompter.hideWaitBox();
    if (setRefreshing) setRefreshing(true);
    return ok;
}
