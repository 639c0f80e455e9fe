#include "queries/forms/querywidgets.h"

#include "dataaware/fieldeditors.h"
#include "grid/forms/datagrid.h"
#include "grid/forms/listwindow.h"
#include "shell/forms/buttonrow.h"
#include "shell/forms/childwindow.h"
#include "shell/forms/entermovesfocus.h"
#include "shell/inifile.h"
#include "shell/paths.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

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

QWidget* chooserPage(QWidget* chooserGroup, QWidget* boxes, QWidget* ledger, QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* right = new QVBoxLayout;
    right->addWidget(boxes);
    right->addWidget(ledger, 1);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(chooserGroup, 1);
    layout->addLayout(right, 3);
    return page;
}

ButtonRow* findAndPrintBar(ListWindow& window, const QString& label, QLineEdit*& findText,
                           std::function<void(const QString&)> find, std::function<void(const QString&)> findNext) {
    findText = new QLineEdit(&window);
    findText->setObjectName("EditFind");
    auto* findLabel = new QLabel(label, &window);
    findLabel->setBuddy(findText);
    auto* bar = new ButtonRow(&window);
    bar->addWidget(findLabel);
    bar->addWidget(findText);
    QLineEdit* box = findText;
    QPushButton* findButton = bar->add("btnFind", "查找[&B]", [box, find] { find(box->text()); });
    QObject::connect(findText, &QLineEdit::returnPressed, findButton, &QPushButton::click);
    bar->add("btnFindNext", "继续[&T]", [box, findNext] { findNext(box->text()); });
    bar->add("btnPreview", "预览", [&window] { window.preview(); });
    bar->add("btnPrint", "打印[&R]", [&window] { window.print(); });
    return bar;
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
