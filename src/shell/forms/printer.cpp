#include "shell/forms/printer.h"

#include "shell/prompter.h"

#include <QPrinterInfo>

QPrinter& currentPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

bool printOnCurrentPrinter(Prompter& prompter, const std::function<bool(QPrinter&)>& render) {
    QPrinter& printer = currentPrinter();
    if (printer.outputFileName().isEmpty() && QPrinterInfo::availablePrinters().isEmpty()) {
        prompter.message("打印失败：没有安装打印机。");
        return false;
    }
    printer.setCopyCount(1);
    printer.setCollateCopies(true);
    printer.setPrintRange(QPrinter::AllPages);
    if (!render(printer) || printer.printerState() == QPrinter::Error) {
        prompter.message("打印失败：打印机报告错误。");
        return false;
    }
    return true;
}
