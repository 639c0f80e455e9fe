// The current printer: chosen by the printer set-up command, used by every print.
#pragma once

#include <QPrinter>

#include <functional>

class Prompter;

QPrinter& currentPrinter();

// Prints straight to the current printer: all pages, one copy, collated, no
// dialog. No printer, or the printer reporting an error: a message, and false.
bool printOnCurrentPrinter(Prompter& prompter, const std::function<bool(QPrinter&)>& render);
