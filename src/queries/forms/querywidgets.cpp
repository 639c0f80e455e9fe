#include "queries/forms/querywidgets.h"

#include "dataaware/fieldeditors.h"
#include "grid/forms/datagrid.h"
#include "shell/forms/childwindow.h"
#include "shell/forms/entermovesfocus.h"
#include "shell/inifile.h"
#include "shell/paths.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>

namespace queryforms {

DataGrid* ledgerGrid(RowSet& rows, Prompter& prompter, const char* objectName, QWidget* parent) {
    auto* grid = new DataGrid(rows, prompter, parent);
    grid->setObjectName(objectName);
    grid->setReadOnly(true);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->horizontalHeader()->setSectionsClickable(false);
    return grid;
}

DataGrid* chooserGrid(RowSet& rows, Prompter& prompter, const char* objectName,
                      const QPair<QString, QString>& code, const QPair<QString, QString>& name, QWidget* parent) {
    DataGrid* grid = ledgerGrid(rows, prompter, objectName, parent);
    grid->addColumn(code.first, code.second, 80);
    grid->addColumn(name.first, name.second, 150);
    return grid;
}

QGroupBox* boxesGroup(const QString& title, RowSet& rows, Prompter& prompter,
                      const QList<QPair<QString, QString>>& boxes, bool readOnly, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    auto* form = new QFormLayout(group);
    for (int i = 0; i < boxes.size(); ++i) {
        auto* edit = new FieldEdit(rows, boxes[i].second, prompter, group);
        edit->setObjectName("Edit_" + boxes[i].second);
        edit->setReadOnly(readOnly);
        if (i + 1 < boxes.size()) EnterMovesFocus::install({edit});
        form->addRow(boxes[i].first, edit);
    }
    return group;
}

void installColumnMenu(DataGrid& grid, ChildWindow& window) {
    grid.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&grid, &QWidget::customContextMenuRequested, &window, [&grid, &window](const QPoint& at) {
        QMenu menu(&window);
        const int col = grid.currentIndex().column();
        menu.addAction("隐藏当前列", &window, [&grid, col] {
            if (col < 0) return;
            grid.columns()[col].visible = false;
            grid.applyColumns();
        });
        menu.addAction("显示所有列", &window, [&grid] { ShowAllColumns(grid); });
        menu.addSeparator();
        menu.addAction("关闭返回[&X]", &window,
                       [&window] { window.parentWidget() ? window.parentWidget()->close() : window.close(); });
        menu.exec(grid.viewport()->mapToGlobal(at));
    });
}

namespace {
QString styleFile(const QString& workingDirectory) { return paths::resolve(workingDirectory, "VexaStyle.INI"); }
}  // namespace

void restoreLayouts(const QString& workingDirectory, const QList<QPair<DataGrid*, QString>>& grids) {
    const IniFile ini(styleFile(workingDirectory));
    for (const auto& [grid, section] : grids) grid->restoreLayout(ini, section);
}

void saveLayouts(const QString& workingDirectory, const QList<QPair<DataGrid*, QString>>& grids) {
    IniFile ini(styleFile(workingDirectory));
    for (const auto& [grid, section] : grids) grid->saveLayout(ini, section);
    ini.save();
}

}  // namespace queryforms
