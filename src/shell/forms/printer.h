// The current printer: chosen by the printer set-up command, used by every print.
#pragma once

#include <QPrinter>

QPrinter& currentPrinter();
