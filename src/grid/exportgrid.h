// ExportGrid: saving a grid's rows to a file the user chooses.
#pragma once

#include <QStringList>

#include <functional>

class ExportSource;
class Prompter;

// The save dialog's filters, in order; the first five write a file, the last four nothing.
QStringList exportFilters();

// Asks for a file, writes all rows of the visible columns in the chosen
// format behind the wait box and returns true (also for a format that
// writes nothing, after saying so). Cancelled: "取消数据导出", false. Any failure:
// "数据导出失败!", false. setRefreshing(false) stops the grid repainting
// while it runs; it is always switched back on.
bool ExportGrid(const ExportSource& source, Prompter& prompter, const std::function<void(bool)>& setRefreshing = {});
