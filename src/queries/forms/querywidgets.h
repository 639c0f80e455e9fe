// The pieces the query windows are built of: the chooser grid of a ledger
// page, its read-only or editable boxes of the current row, the grids'
// pop-up menu, their kept layouts and the print footer.
#pragma once

#include <QList>
#include <QPair>
#include <QString>

class ChildWindow;
class DataGrid;
class Prompter;
class QGroupBox;
class QWidget;
class RowSet;

namespace queryforms {

// The right-hand footer of every query printout: the print date over the page number.
inline const QString kPrintFooterRight = "打印日期:&[date]　　　\n页号：&[Page]　　　";
inline const char* kQuantity = "0;-0;#";

// A read-only grid that only chooses a row: the code and name of `rows`.
DataGrid* chooserGrid(RowSet& rows, Prompter& prompter, const char* objectName,
                      const QPair<QString, QString>& code, const QPair<QString, QString>& name, QWidget* parent);
// A ledger grid: read-only, whole rows selected, in the order read (no title-click sort).
DataGrid* ledgerGrid(RowSet& rows, Prompter& prompter, const char* objectName, QWidget* parent);

// A group of boxes bound to the current row: {caption, field}. Enter moves
// from box to box.
QGroupBox* boxesGroup(const QString& title, RowSet& rows, Prompter& prompter,
                      const QList<QPair<QString, QString>>& boxes, bool readOnly, QWidget* parent);

// "隐藏当前列", "显示所有列", "关闭返回[&X]".
void installColumnMenu(DataGrid& grid, ChildWindow& window);

// Grid layouts in VexaStyle.INI of the working directory, one section per grid.
void restoreLayouts(const QString& workingDirectory, const QList<QPair<DataGrid*, QString>>& grids);
void saveLayouts(const QString& workingDirectory, const QList<QPair<DataGrid*, QString>>& grids);

}  // namespace queryforms
