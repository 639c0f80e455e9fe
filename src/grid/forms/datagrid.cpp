#include "grid/forms/datagrid.h"

#include "database/displayformat.h"
#include "database/rowset.h"
#include "grid/exportgrid.h"
#include "shell/inifile.h"
#include "shell/prompter.h"

#include <QComboBox>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>

#include <utility>

namespace {

bool isNumeric(const QVariant& v) {
    const int t = v.typeId();
    return t == QMetaType::Double || t == QMetaType::LongLong || t == QMetaType::Int;
}

// Titles in two rows where a column has a group title ("尺码|36"): the group
// is drawn once across its neighbouring columns; the sort marker sits at the
// right of the column title; columns not to be printed have the desktop colour.
class GridHeader : public QHeaderView {
public:
    GridHeader(QList<GridColumn>& columns, QWidget* parent)
        : QHeaderView(Qt::Horizontal, parent), columns_(columns) {
        setSectionsClickable(true);
        setSectionsMovable(true);
        setHighlightSections(false);
    }
    bool twoLevels() const {
        for (const GridColumn& c : columns_)
            if (!c.groupTitle().isEmpty()) return true;
        return false;
    }
    QSize sizeHint() const override {
        QSize s = QHeaderView::sizeHint();
        const int line = fontMetrics().height() + 6;
        s.setHeight(twoLevels() ? line * 2 : line);
        return s;
    }

protected:
    void paintSection(QPainter* p, const QRect& rect, int logical) const override {
        if (logical < 0 || logical >= columns_.size()) return;
        const GridColumn& c = columns_[logical];
        p->save();
        p->setClipRect(rect);
        QRect lower = rect;
        if (twoLevels()) {
            lower.setTop(rect.top() + rect.height() / 2);
            if (!c.groupTitle().isEmpty()) {
                // The group cell spans the neighbours with the same group title.
                int first = visualIndex(logical), last = first;
                while (first > 0 && columns_.value(logicalIndex(first - 1)).groupTitle() == c.groupTitle() &&
                       !isSectionHidden(logicalIndex(first - 1)))
                    --first;
                while (last + 1 < count() && columns_.value(logicalIndex(last + 1)).groupTitle() == c.groupTitle() &&
                       !isSectionHidden(logicalIndex(last + 1)))
                    ++last;
                const int left = sectionViewportPosition(logicalIndex(first));
                const int right = sectionViewportPosition(logicalIndex(last)) + sectionSize(logicalIndex(last));
                const QRect group(left, rect.top(), right - left, rect.height() / 2);
                drawCell(p, group, c.groupTitle(), palette().button().color());
            } else {
                lower.setTop(rect.top());
            }
        }
        const QColor background = c.printed ? palette().button().color() : DataGrid::unprintedTitleColour();
        QString text = c.columnTitle();
        drawCell(p, lower, text, background);
        if (c.marker != GridColumn::Sort::None) {
            p->setPen(palette().buttonText().color());
            p->drawText(lower.adjusted(0, 0, -3, 0), Qt::AlignRight | Qt::AlignVCenter,
                        c.marker == GridColumn::Sort::Ascending ? "▲" : "▼");
        }
        p->restore();
    }

private:
    void drawCell(QPainter* p, const QRect& r, const QString& text, const QColor& background) const {
        p->fillRect(r, background);
        p->setPen(palette().mid().color());
        p->drawRect(r.adjusted(0, 0, -1, -1));
        p->setPen(palette().buttonText().color());
        p->drawText(r.adjusted(2, 0, -2, 0), Qt::AlignCenter, text);
    }
    QList<GridColumn>& columns_;
};

// Lookup columns edit through a drop-down of the looked-up rows, several
// columns with their titles; choosing one sets the row's key field.
class LookupDelegate : public QStyledItemDelegate {
public:
    LookupDelegate(RowSet& rows, QList<GridColumn>& columns, QObject* parent)
        : QStyledItemDelegate(parent), rows_(rows), columns_(columns) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const RowSet::Field* f = lookupField(index);
        if (!f) {
            QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
            // Text longer than its column is stopped as it is typed.
            const int field = rows_.fieldIndex(columns_.value(index.column()).field);
            if (auto* line = qobject_cast<QLineEdit*>(editor); line && field >= 0 && rows_.field(field).width > 0)
                line->setMaxLength(rows_.field(field).width);
            return editor;
        }
        const GridColumn& c = columns_[index.column()];
        RowSet& looked = *f->lookupSet;
        QStringList fields = c.dropDownFields.isEmpty() ? QStringList{f->lookupKey, f->lookupResult} : c.dropDownFields;
        auto* model = new QStandardItemModel(looked.recordCount(), int(fields.size()));
        for (int col = 0; col < fields.size(); ++col) {
            const int field = looked.fieldIndex(fields[col]);
            model->setHorizontalHeaderItem(col, new QStandardItem(field < 0 ? fields[col] : looked.field(field).caption));
            for (int r = 0; r < looked.recordCount(); ++r)
                model->setItem(r, col, new QStandardItem(displayformat::format(looked.valueAt(r, field), {})));
        }
        const int keyField = looked.fieldIndex(f->lookupKey);
        for (int r = 0; r < looked.recordCount() && fields.size() > 0; ++r)
            model->item(r, 0)->setData(looked.valueAt(r, keyField), Qt::UserRole);
        auto* combo = new QComboBox(parent);
        auto* view = new QTableView(combo);
        view->verticalHeader()->hide();
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        combo->setModel(model);
        model->setParent(combo);
        combo->setView(view);
        combo->setMaxVisibleItems(c.dropDownRows);
        if (c.dropDownWidth > 0) view->setMinimumWidth(c.dropDownWidth);
        return combo;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* combo = qobject_cast<QComboBox*>(editor);
        const RowSet::Field* f = lookupField(index);
        if (!combo || !f) return QStyledItemDelegate::setEditorData(editor, index);
        combo->setCurrentIndex(combo->findData(rows_.valueAt(index.row(), rows_.fieldIndex(f->keyField))));
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        auto* combo = qobject_cast<QComboBox*>(editor);
        const RowSet::Field* f = lookupField(index);
        if (!combo || !f) return QStyledItemDelegate::setModelData(editor, model, index);
        if (combo->currentIndex() < 0) return;
        const QString key = f->keyField;
        if (rows_.edit()) rows_.setValue(key, combo->currentData());
    }

private:
    const RowSet::Field* lookupField(const QModelIndex& index) const {
        if (index.column() >= columns_.size()) return nullptr;
        const int field = rows_.fieldIndex(columns_[index.column()].field);
        if (field < 0 || rows_.field(field).kind != RowSet::FieldKind::Lookup || !rows_.field(field).lookupSet)
            return nullptr;
        return &rows_.field(field);
    }
    RowSet& rows_;
    QList<GridColumn>& columns_;
};

}  // namespace

// The footer row of texts and sums under the grid, aligned with its columns.
class FooterBar : public QWidget {
public:
    explicit FooterBar(DataGrid* grid) : QWidget(grid), grid_(grid) { setObjectName("footer"); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().button());
        for (int col = 0; col < grid_->columns().size(); ++col) {
            if (grid_->isColumnHidden(col)) continue;
            const QRect cell(grid_->columnViewportPosition(col), 0, grid_->columnWidth(col), height());
            p.setPen(palette().mid().color());
            p.drawRect(cell.adjusted(0, 0, -1, -1));
            const GridColumn& c = grid_->columns()[col];
            p.setPen(palette().buttonText().color());
            const Qt::Alignment align =
                c.footer == GridColumn::Footer::Text ? Qt::AlignLeft : Qt::AlignRight;
            p.drawText(cell.adjusted(3, 0, -3, 0), align | Qt::AlignVCenter, grid_->footerText(col));
        }
    }

private:
    DataGrid* grid_;
};

// ---------------------------------------------------------------- RowSetModel

RowSetModel::RowSetModel(RowSet& rows, QList<GridColumn>& columns, QObject* parent)
    : QAbstractTableModel(parent), rows_(rows), columns_(columns) {
    // The row set changes first and tells afterwards; the views re-read then.
    connect(&rows, &RowSet::reset, this, [this] {
        beginResetModel();
        indicated_ = rows_.position();
        endResetModel();
        checkColumns();
    });
    connect(&rows, &RowSet::rowChanged, this, [this](int row) {
        if (row >= 0) emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
    connect(&rows, &RowSet::rowInserted, this, [this](int row) {
        beginInsertRows({}, row, row);
        if (indicated_ >= row) ++indicated_;
        endInsertRows();
    });
    connect(&rows, &RowSet::rowRemoved, this, [this](int row) {
        beginRemoveRows({}, row, row);
        if (indicated_ == row) indicated_ = -1;
        else if (indicated_ > row) --indicated_;
        endRemoveRows();
    });
    // Only the row the indicator leaves and the row it reaches are repainted:
    // a catalogue has a hundred thousand row headers.
    auto indicator = [this] {
        const int now = rows_.position();
        if (indicated_ != now && indicated_ >= 0 && indicated_ < rowCount())
            emit headerDataChanged(Qt::Vertical, indicated_, indicated_);
        if (now >= 0 && now < rowCount()) emit headerDataChanged(Qt::Vertical, now, now);
        indicated_ = now;
    };
    connect(&rows, &RowSet::currentChanged, this, indicator);
    connect(&rows, &RowSet::stateChanged, this, indicator);
}

void RowSetModel::columnsChanged() {
    beginResetModel();
    endResetModel();
    checkColumns();
}

void RowSetModel::checkColumns() {
    if (!rows_.isOpen()) return;
    const QString where =
        QString("grid %1 over %2").arg(parent() ? parent()->objectName() : QString(), rows_.tableName()).simplified();
    auto check = [&](const RowSet& set, const QString& name) {
        if (set.fieldIndex(name) < 0 && !told_.contains(name.toLower())) {
            told_.insert(name.toLower());
            reportUnknownField(where, name);
        }
    };
    for (const GridColumn& c : columns_) {
        check(rows_, c.field);
        // A lookup column's drop-down lists fields of the looked-up rows.
        const int field = rows_.fieldIndex(c.field);
        const RowSet* looked = field < 0 ? nullptr : rows_.field(field).lookupSet;
        if (looked && looked->isOpen())
            for (const QString& name : c.dropDownFields) check(*looked, name);
    }
}

int RowSetModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_.recordCount(); }

int RowSetModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(columns_.size()); }

QVariant RowSetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() >= columns_.size()) return {};
    const GridColumn& c = columns_[index.column()];
    const int field = rows_.fieldIndex(c.field);
    if (field < 0) return {};
    switch (role) {
    case Qt::DisplayRole: {
        const QString format = c.displayFormat.isEmpty() ? rows_.field(field).displayFormat : c.displayFormat;
        return displayformat::format(rows_.valueAt(index.row(), field), format);
    }
    case Qt::EditRole: {
        const QVariant v = rows_.valueAt(index.row(), field);
        return v.typeId() == QMetaType::Double ? QString::number(v.toDouble(), 'g', 15)
                                               : displayformat::format(v, {});
    }
    case Qt::TextAlignmentRole:
        if (c.alignment) return QVariant(c.alignment | Qt::AlignVCenter);
        return isNumeric(rows_.valueAt(index.row(), field)) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                            : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole:
    case Qt::BackgroundRole: {
        if (!rowColours) return {};
        const auto colours = rowColours(rows_.rowAt(index.row()));
        if (!colours) return {};
        return role == Qt::ForegroundRole ? colours->first : colours->second;
    }
    default: return {};
    }
}

bool RowSetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid()) return false;
    const QString field = columns_[index.column()].field;
    if (rows_.position() != index.row() && !rows_.moveTo(index.row())) return false;
    if (!rows_.converts(field, value)) {
        lastEditRefused = true;
        if (refused) refused(QString("'%1' 不是有效的值").arg(value.toString()));
        return false;
    }
    // A rule that refuses the value tells the user itself.
    lastEditRefused = !(rows_.edit() && rows_.setValue(field, value));
    return !lastEditRefused;
}

Qt::ItemFlags RowSetModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!index.isValid() || readOnly) return f;
    const GridColumn& c = columns_[index.column()];
    const int field = rows_.fieldIndex(c.field);
    if (c.readOnly || field < 0 || rows_.field(field).readOnly || rows_.field(field).kind == RowSet::FieldKind::Calculated)
        return f;
    return f | Qt::ItemIsEditable;
}

QVariant RowSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < columns_.size())
        return columns_[section].title;
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)  // the current row's indicator
        return section == rows_.position() ? QVariant(rows_.isEditing() ? "I" : "▶") : QVariant(QString());
    return QAbstractTableModel::headerData(section, orientation, role);
}

// ------------------------------------------------------------------- DataGrid

DataGrid::DataGrid(RowSet& rows, Prompter& prompter, QWidget* parent)
    : QTableView(parent), rows_(rows), prompter_(prompter) {
    model_ = new RowSetModel(rows, columns_, this);
    model_->refused = [this](const QString& text) { prompter_.message(text); };
    setHorizontalHeader(new GridHeader(columns_, this));
    setModel(model_);
    setItemDelegate(new LookupDelegate(rows, columns_, this));
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setFixedWidth(16);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    footer_ = new FooterBar(this);
    footer_->hide();
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &DataGrid::sortByColumn);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (logical < columns_.size() && size > 0) columns_[logical].width = size;  // kept for the layout
        footer_->update();
    });
    followRowSet();
}

void DataGrid::followRowSet() {
    auto toCurrent = [this] {
        if (syncing_) return;
        // The row set moved away from a cell being typed in (a command that
        // did not finish it first): its text must not follow into another row.
        if (openEditor() && editing_.row() != rows_.position()) finishEdit(false);
        syncing_ = true;
        const int column = std::max(currentIndex().column(), 0);
        setCurrentIndex(rows_.position() < 0 ? QModelIndex() : model_->index(rows_.position(), column));
        syncing_ = false;
        emit positionTextChanged(rows_.positionText());
    };
    connect(&rows_, &RowSet::currentChanged, this, toCurrent);
    // A new row is typed from its first column (the code), whatever column
    // the cursor stood in; the Enter rule may then take it elsewhere.
    connect(&rows_, &RowSet::rowInserted, this, [this](int position) {
        if (position != rows_.position()) return;
        for (int column : visibleColumns())
            if (model_->flags(model_->index(position, column)) & Qt::ItemIsEditable) {
                syncing_ = true;
                setCurrentIndex(model_->index(position, column));
                syncing_ = false;
                return;
            }
    });
    // Before the row under an open editor goes (a cancelled new row, a
    // delete), the editor goes with it; otherwise the view would hand its
    // text to the row that takes the place.
    connect(&rows_, &RowSet::rowAboutToBeRemoved, this, [this](int position) {
        if (openEditor() && editing_.row() == position) finishEdit(false);
        removing_ = true;
    });
    // Meanwhile the view moves its own cursor off the row going; the row set
    // has chosen its current row already and tells it afterwards.
    connect(&rows_, &RowSet::rowRemoved, this, [this] { removing_ = false; });
    connect(&rows_, &RowSet::reset, this, toCurrent);
    auto refreshFooter = [this] { footer_->update(); };
    for (auto signal : {&RowSet::rowChanged, &RowSet::rowInserted, &RowSet::rowRemoved})
        connect(&rows_, signal, footer_, refreshFooter);
    connect(&rows_, &RowSet::reset, footer_, refreshFooter);
}

QWidget* DataGrid::openEditor() const {
    return state() == QAbstractItemView::EditingState && editing_.isValid() ? indexWidget(editing_) : nullptr;
}

bool DataGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (!QTableView::edit(index, trigger, event)) return false;
    if (state() == QAbstractItemView::EditingState) editing_ = index;
    return true;
}

bool DataGrid::finishEdit(bool keep) {
    QWidget* editor = openEditor();
    if (!editor) return true;
    model_->lastEditRefused = false;
    if (keep) commitData(editor);
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    editing_ = QPersistentModelIndex();
    return !std::exchange(model_->lastEditRefused, false);
}

void DataGrid::keepHighlightOnCurrentRow() {
    // A refused save keeps the row set on the row still in editing, while the
    // view has already moved its selection on: bring it back.
    const QModelIndex current = currentIndex();
    if (current.isValid() && !selectionModel()->isSelected(current))
        selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
}

void DataGrid::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    keepHighlightOnCurrentRow();
}

void DataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (syncing_ || removing_ || !current.isValid() || current.row() == rows_.position()) return;
    // Leaving a row posts it; a refused post keeps the cursor (and the typed values) there.
    if (!rows_.moveTo(current.row())) {
        syncing_ = true;
        setCurrentIndex(model_->index(rows_.position(), current.column()));
        syncing_ = false;
    }
}

GridColumn& DataGrid::addColumn(const QString& field, const QString& title, int width) {
    GridColumn c;
    c.field = field;
    c.title = title;
    c.width = width;
    columns_.append(c);
    applyColumns();
    return columns_.last();
}

GridColumn* DataGrid::column(const QString& field) {
    const int i = columnIndex(field);
    return i < 0 ? nullptr : &columns_[i];
}

int DataGrid::columnIndex(const QString& field) const {
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_[i].field.compare(field, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

void DataGrid::applyColumns() {
    const int currentColumn = currentIndex().column();
    model_->columnsChanged();
    for (int i = 0; i < columns_.size(); ++i) {
        setColumnWidth(i, columns_[i].width);
        setColumnHidden(i, !columns_[i].visible);
    }
    horizontalHeader()->updateGeometry();
    horizontalHeader()->viewport()->update();
    footer_->update();
    if (rows_.position() >= 0 && currentColumn >= 0 && currentColumn < columns_.size()) {
        syncing_ = true;
        setCurrentIndex(model_->index(rows_.position(), currentColumn));
        syncing_ = false;
    }
}

void DataGrid::applySizeSlots(const QString& prefix, int slotsInUse, const QStringList& labels, const QString& group) {
    for (int slot = 15; slot >= 0; --slot) {
        const int i = columnIndex(prefix + QChar('A' + slot));
        if (i < 0) continue;
        if (slot >= slotsInUse) columns_.removeAt(i);
        else columns_[i].title = group + "|" + labels.value(slot);
    }
    applyColumns();
}

void DataGrid::setEnterMode(EnterMode mode, int wrapColumn) {
    enterMode_ = mode;
    wrapColumn_ = wrapColumn;
}

void DataGrid::setReadOnly(bool on) {
    model_->readOnly = on;
    setEditTriggers(on ? QAbstractItemView::NoEditTriggers
                       : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
}

void DataGrid::setRowColours(std::function<std::optional<std::pair<QColor, QColor>>(const RowView&)> colours) {
    model_->rowColours = std::move(colours);
    viewport()->update();
}

void DataGrid::sortByColumn(int col) {
    if (col < 0 || col >= columns_.size()) return;
    GridColumn& c = columns_[col];
    const int field = rows_.fieldIndex(c.field);
    QString key;
    if (field >= 0 && rows_.field(field).kind == RowSet::FieldKind::Data) key = rows_.field(field).name;
    else if (field >= 0 && rows_.field(field).kind == RowSet::FieldKind::Lookup) key = rows_.field(field).keyField;
    if (key.isEmpty()) {
        prompter_.message("非数据字段，不能排序!");
        return;
    }
    const QString current = rows_.sort();
    const bool descending = current == key + "  ASC";
    if (!rows_.setSort(key + (descending ? "  DESC" : "  ASC"))) return;
    c.marker = descending ? GridColumn::Sort::Descending : GridColumn::Sort::Ascending;
    horizontalHeader()->viewport()->update();
}

void DataGrid::setFooterVisible(bool on) {
    footer_->setVisible(on);
    updateGeometries();
}

void DataGrid::updateGeometries() {
    QTableView::updateGeometries();  // sets the margins for the titles
    if (!footer_) return;            // still being built
    // Room for the footer row under the rows, aligned with their columns.
    const int footerHeight = footer_->isVisibleTo(this) ? verticalHeader()->defaultSectionSize() + 2 : 0;
    const QMargins m = viewportMargins();
    if (m.bottom() != footerHeight) setViewportMargins(m.left(), m.top(), m.right(), footerHeight);
    const QRect vp = viewport()->geometry();
    footer_->setGeometry(vp.left(), vp.bottom() + 1, vp.width(), footerHeight);
}

bool DataGrid::footerVisible() const { return footer_->isVisibleTo(this); }

QString DataGrid::footerText(int col) const {
    const GridColumn& c = columns_.value(col);
    switch (c.footer) {
    case GridColumn::Footer::None: return {};
    case GridColumn::Footer::Text: return c.footerText;
    case GridColumn::Footer::Sum:
    case GridColumn::Footer::SumAllRows: {
        const double total = rows_.sum(c.field, c.footer == GridColumn::Footer::Sum);
        return displayformat::formatNumber(total, c.footerText.isEmpty() ? "0.00;-0.00;#" : c.footerText);
    }
    }
    return {};
}

void DataGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    updateGeometries();
}

void DataGrid::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    if (dx) footer_->update();
}

QList<int> DataGrid::visibleColumns() const {
    QList<int> out;
    for (int visual = 0; visual < horizontalHeader()->count(); ++visual) {
        const int logical = horizontalHeader()->logicalIndex(visual);
        if (!isColumnHidden(logical)) out.append(logical);
    }
    return out;
}

QColor DataGrid::unprintedTitleColour() { return QColor(0, 128, 128); }

void DataGrid::keyPressEvent(QKeyEvent* event) {
    if (enterMode_ != EnterMode::Default && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        state() != QAbstractItemView::EditingState) {
        moveAfterEnter();
        return;
    }
    QTableView::keyPressEvent(event);
    keepHighlightOnCurrentRow();
}

void DataGrid::moveAfterEnter() {
    if (beforeEnterMove) beforeEnterMove();
    const QList<int> visible = visibleColumns();
    if (visible.isEmpty()) return;
    const QModelIndex at = currentIndex();
    const int position = int(visible.indexOf(at.column()));
    if (at.isValid() && position >= 0 && position + 1 < visible.size()) {
        setCurrentIndex(model_->index(at.row(), visible[position + 1]));
        return;
    }
    const int wrap = visible.contains(wrapColumn_) ? wrapColumn_ : visible.first();
    if (rows_.state() == RowSet::State::Insert && !rows_.isModified()) {
        // Enter held down over a new row nothing was typed into: no row of blanks.
        setCurrentIndex(model_->index(rows_.position(), wrap));
    } else if (rows_.position() + 1 < rows_.recordCount()) {
        if (rows_.moveTo(rows_.position() + 1)) setCurrentIndex(model_->index(rows_.position(), wrap));
    } else if (enterMode_ == EnterMode::NextColumnAppend && rows_.append()) {
        setCurrentIndex(model_->index(rows_.position(), wrap));
    }
}

// Layout entries, in screen order: "<field>,<width>,<visible>,<sort marker>,
// <drop-down rows>,<drop-down width>".
void DataGrid::saveLayout(IniFile& ini, const QString& section, bool withSortMarkers) const {
    QList<QPair<QString, QString>> entries;
    const auto* header = horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const GridColumn& c = columns_[header->logicalIndex(visual)];
        const int marker = withSortMarkers ? int(c.marker) : 0;
        entries.append({QString("col%1").arg(visual), QString("%1,%2,%3,%4,%5,%6")
                                                          .arg(c.field)
                                                          .arg(columnWidth(header->logicalIndex(visual)))
                                                          .arg(c.visible ? 1 : 0)
                                                          .arg(marker)
                                                          .arg(c.dropDownRows)
                                                          .arg(c.dropDownWidth)});
    }
    ini.replaceSection(section, entries);
}

void DataGrid::restoreLayout(const IniFile& ini, const QString& section, bool withSortMarkers) {
    const auto entries = ini.section(section);
    if (entries.size() != columns_.size()) return;  // missing, or made for other columns
    QList<GridColumn> ordered;
    for (const auto& [key, value] : entries) {
        const QStringList parts = value.split(',');
        bool widthOk = false;
        const int width = parts.value(1).toInt(&widthOk);
        const int i = columnIndex(parts.value(0));
        if (parts.size() < 3 || !widthOk || width < 0 || width > 2000 || i < 0) return;  // damaged: keep the initial layout
        GridColumn c = columns_[i];
        c.width = width;
        c.visible = parts[2] == "1";
        if (withSortMarkers && parts.size() > 3) c.marker = GridColumn::Sort(std::clamp(parts[3].toInt(), 0, 2));
        if (parts.size() > 5) {
            c.dropDownRows = std::clamp(parts[4].toInt(), 1, 100);
            c.dropDownWidth = std::clamp(parts[5].toInt(), 0, 2000);
        }
        ordered.append(c);
    }
    for (int i = 0; i < ordered.size(); ++i)
        for (int j = i + 1; j < ordered.size(); ++j)
            if (ordered[i].field.compare(ordered[j].field, Qt::CaseInsensitive) == 0) return;
    columns_ = ordered;
    for (int visual = 0; visual < horizontalHeader()->count(); ++visual)
        horizontalHeader()->moveSection(horizontalHeader()->visualIndex(visual), visual);
    applyColumns();
}

std::unique_ptr<ExportSource> DataGrid::exportSource() const {
    QList<RowSetExport::Column> out;
    for (int col : visibleColumns()) {
        const GridColumn& c = columns_[col];
        const int field = rows_.fieldIndex(c.field);
        if (field < 0) continue;
        out.append({field, c.title, columnWidth(col),
                    c.displayFormat.isEmpty() ? rows_.field(field).displayFormat : c.displayFormat});
    }
    return std::make_unique<RowSetExport>(rows_, out);
}

void DataGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // Forgotten before the view closes it: Tab and Backtab open the next
    // cell's editor from inside the close, and that one is being typed in now.
    editing_ = QPersistentModelIndex();
    QTableView::closeEditor(editor, hint);
    // Enter in a cell being edited ends the edit and moves on as Enter does
    // elsewhere; a value refused keeps the cursor on its cell to be typed again.
    const bool refused = std::exchange(model_->lastEditRefused, false);
    if (hint == QAbstractItemDelegate::SubmitModelCache && enterMode_ != EnterMode::Default && !refused) moveAfterEnter();
}

bool ExportGrid(DataGrid& grid, Prompter& prompter) {
    const auto source = grid.exportSource();
    return ExportGrid(*source, prompter, [&grid](bool on) { grid.setUpdatesEnabled(on); });
}

void ShowAllColumns(DataGrid& grid) {
    for (GridColumn& c : grid.columns()) c.visible = true;
    grid.applyColumns();
}

void MarkColumnPrinted(DataGrid& grid, bool printed) {
    const int col = grid.currentIndex().column();
    if (col < 0 || col >= grid.columns().size()) return;
    grid.columns()[col].printed = printed;
    grid.horizontalHeader()->viewport()->update();
}

void HideUnprintedColumns(DataGrid& grid) {
    for (GridColumn& c : grid.columns())
        if (!c.printed) c.visible = false;
    grid.applyColumns();
}

void ShowUnprintedColumns(DataGrid& grid) {
    for (GridColumn& c : grid.columns())
        if (!c.printed && !c.visible) c.visible = true;
    grid.applyColumns();
}
