#include "shell/forms/printer.h"

QPrinter& currentPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}
