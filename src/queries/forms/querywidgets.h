// The pieces the query windows are built of: the chooser grid of a ledger
// page, its read-only or editable boxes of the current row, the grids'
// pop-up menu, their kept layouts and the print footer.
#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <functional>

class ButtonRow;
class ChildWindow;
class DataGrid;
class ListWindow;
class QLineEdit;
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

// A ledger page: the chooser group on the left, the current row's boxes and
// its ledger on the right.
QWidget* chooserPage(QWidget* chooserGroup, QWidget* boxes, QWidget* ledger, QWidget* parent);

// The bottom bar every query starts with: the name box under its label,
// "查找[&B]" (also Enter in the box), "继续[&T]", "预览" and "打印[&R]".
// The window adds its own buttons after them.
ButtonRow* findAndPrintBar(ListWindow& window, const QString& label, QLineEdit*& findText,
                           std::function<void(const QString&)> find, std::function<void(const QString&)> findNext);

// "隐藏当前列", "显示所有列", "关闭返回[&X]".
void installColumnMenu(DataGrid& grid, ChildWindow& window);

// Grid layouts in VexaStyle.INI of the working directory, one section per grid.
void restoreLayouts(const QString& workingDirectory, const QList<QPair<DataGrid*, QString>>& grids);
void saveLayouts(const QString& workingDirectory, const QList<QPair<DataGrid*, QString>>& grids);

}  // namespace queryforms
