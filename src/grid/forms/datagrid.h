// DataGrid: the data-aware grid every list and document window is made of.
#pragma once

#include "dataaware/pendingedit.h"
#include "grid/exportwriters.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QSet>
#include <QTableView>

#include <functional>
#include <memory>
#include <optional>

class IniFile;
class Prompter;
class RowSet;
class RowView;
class FooterBar;

struct GridColumn {
    QString field;
    QString title;          // "尺码|36": a group title over a column title
    int width = 80;
    bool visible = true;
    bool readOnly = false;
    Qt::Alignment alignment;  // none: numbers right, the rest left
    QString displayFormat;  // empty: the field's own
    bool printed = true;    // cleared by MarkColumnPrinted: the title takes the desktop colour
    enum class Footer { None, Sum, SumAllRows, Text } footer = Footer::None;
    QString footerText;     // the text, or the display format of the sum
    enum class Sort { None, Ascending, Descending } marker = Sort::None;
    // A lookup column's drop-down: the looked-up set's fields it lists (empty:
    // its key and result), how many rows it shows and how wide it is.
    QStringList dropDownFields;
    int dropDownRows = 8;
    int dropDownWidth = 0;

    QString groupTitle() const { return title.contains('|') ? title.section('|', 0, 0) : QString(); }
    QString columnTitle() const { return title.section('|', -1); }
};

// The table model over a RowSet: values are read and formatted as rows are
// painted, never copied up front.
class RowSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // A column naming a field the row set does not know is reported once,
    // when the row set has its fields (columns are often added before it is
    // opened); the column stays empty.
    RowSetModel(RowSet& rows, QList<GridColumn>& columns, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void columnsChanged();

    // Red on sky blue and the like: a row's colours, or none for the default.
    std::function<std::optional<std::pair<QColor, QColor>>(const RowView&)> rowColours;
    // A value the field refuses (letters in a quantity): told here.
    std::function<void(const QString&)> refused;
    bool lastEditRefused = false;  // the last value typed was refused (told already)
    bool readOnly = false;

private:
    void checkColumns();

    RowSet& rows_;
    QList<GridColumn>& columns_;
    int indicated_ = -1;  // the row whose header shows the current row's indicator
    QSet<QString> told_;  // unknown names reported already, in lower case
};

class DataGrid : public QTableView, public PendingEdit {
    Q_OBJECT
public:
    // The Enter key: to the next column; from the last column to the next
    // row (at the wrap column); at the last row a new row when appending is on.
    enum class EnterMode { Default, NextColumn, NextColumnAppend };

    DataGrid(RowSet& rows, Prompter& prompter, QWidget* parent = nullptr);

    RowSet& rows() { return rows_; }
    // The column returned is valid until the next column is added.
    GridColumn& addColumn(const QString& field, const QString& title, int width = 80);
    QList<GridColumn>& columns() { return columns_; }
    GridColumn* column(const QString& field);
    int columnIndex(const QString& field) const;
    // Call after changing columns: widths, visibility and titles are applied.
    void applyColumns();

    // Size columns: those beyond the slots in use are removed, the others
    // titled "尺码|" + the slot's label. prefix is "kcsl" or "sl".
    void applySizeSlots(const QString& prefix, int slotsInUse, const QStringList& labels, const QString& group = "尺码");

    void setEnterMode(EnterMode mode, int wrapColumn = 0);
    // Runs first when Enter moves on (document lines: the goods-code column's
    // own step); the usual move follows from wherever it leaves the cursor.
    std::function<void()> beforeEnterMove;
    void setReadOnly(bool on);
    void setRowColours(std::function<std::optional<std::pair<QColor, QColor>>(const RowView&)> colours);

    // The title click: data columns sort by their field, lookup columns by
    // their key, others refuse with "非数据字段，不能排序!". Ascending first,
    // then alternating.
    void sortByColumn(int column);

    void setFooterVisible(bool on);
    bool footerVisible() const;
    QString footerText(int column) const;

    // Layouts kept in VexaStyle.INI, one section per grid.
    void saveLayout(IniFile& ini, const QString& section, bool withSortMarkers = false) const;
    void restoreLayout(const IniFile& ini, const QString& section, bool withSortMarkers = false);

    // What the export and the grid printer read: the visible columns as they
    // stand now, the rows in the grid's order and filter.
    std::unique_ptr<ExportSource> exportSource() const;
    QList<int> visibleColumns() const;

    static QColor unprintedTitleColour();

    // The open cell editor, if any: its text goes into the row it was opened
    // on (keep) or is dropped. A value the field refuses is told, the cell
    // keeps its old value, and the command does not go on.
    bool finishEdit(bool keep) override;
    bool isEditingCell() const { return openEditor() != nullptr; }
    using QTableView::edit;

signals:
    void positionTextChanged(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void updateGeometries() override;

private:
    void followRowSet();
    void moveAfterEnter();
    QWidget* openEditor() const;
    void keepHighlightOnCurrentRow();

    RowSet& rows_;
    Prompter& prompter_;
    QList<GridColumn> columns_;
    RowSetModel* model_;
    FooterBar* footer_ = nullptr;
    EnterMode enterMode_ = EnterMode::Default;
    int wrapColumn_ = 0;
    bool syncing_ = false;
    bool removing_ = false;  // a row is being taken out of the view
    QPersistentModelIndex editing_;  // the cell the open editor belongs to
};

// The export command of a window: its grid's visible columns and rows, the
// grid not repainting while the file is written.
bool ExportGrid(DataGrid& grid, Prompter& prompter);

// The column helpers of uPublic.
void ShowAllColumns(DataGrid& grid);
void MarkColumnPrinted(DataGrid& grid, bool printed);
void HideUnprintedColumns(DataGrid& grid);
void ShowUnprintedColumns(DataGrid& grid);
