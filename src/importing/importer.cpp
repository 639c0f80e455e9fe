#include "importing/importer.h"

#include "database/rowset.h"
#include "documents/documentrules.h"
#include "documents/posting.h"
#include "masterdata/goodscatalogue.h"
#include "masterdata/masterdatarules.h"
#include "shell/sizeslots.h"
#include "shell/unattendedprompter.h"
#include "stockdocs/stockin.h"
#include "stockdocs/stockout.h"

#include <QHash>

#include <memory>

namespace importing {
namespace {

// Where a column's cells go: master-data rows, or a document's key, header or line.
enum class Part { Row, Key, Header, Line };

struct Column {
    QString field;       // the book's column; kKey for the document key
    QStringList titles;  // accepted titles (besides the field's own name); the first documents it
    Part part = Part::Row;
    bool required = false;  // the title row must have it
};

const QString kKey = "单据";

QList<Column> sizeColumns(const SizeSlots& sizes, const QString& prefix, Part part) {
    QList<Column> columns;
    const QStringList names = sizes.columnsInUse(prefix);
    for (int i = 0; i < names.size(); ++i) {
        const QString label = sizes.labels.value(i).trimmed();
        columns.append({names[i], label.isEmpty() ? QStringList{} : QStringList{label}, part});
    }
    return columns;
}

QList<Column> partyColumns(bool suppliers) {
    QList<Column> c{{"Bm", {"单位编码", "编码"}, Part::Row, true},
                    {"Mc", {"单位名称", "名称"}, Part::Row, true},
                    {"Fzry", {suppliers ? "联系人" : "负责人", "联系人", "负责人"}},
                    {"lxdh", {suppliers ? "电话" : "联系电话", "电话", "联系电话"}},
                    {"Yzbm", {"邮政编码"}},
                    {"Addr", {"单位地址", "地址"}},
                    {"FaxNo", {"传真"}}};
    if (suppliers) c += QList<Column>{{"Khyh", {"开户银行"}}, {"Yhzh", {"帐号", "账号"}}};
    c += QList<Column>{{"bzxx", {"备注信息", "备注"}}, {"ncye", {"年初欠款"}}, {"bnjf", {"本年欠款"}},
                       {"bndf", {"本年还款"}},         {"byjf", {"本月欠款"}}, {"bydf", {"本月还款"}},
                       {"jyje", {"当前欠款"}}};
    return c;
}

// The columns of each kind in the order their values are set: the rules
// derive values from earlier ones (a line's package size and price from its
// goods, a stock-out line's quantity from its sizes), which later columns may
// then replace, as typing along a window's boxes does.
QList<Column> columnsOf(Kind kind, const SizeSlots& sizes) {
    switch (kind) {
    case Kind::Goods:
        return QList<Column>{{"Spbm", {"商品编码", "编码"}, Part::Row, true},
                             {"Spmc", {"商品名称", "名称"}, Part::Row, true},
                             {"ArtNo", {"货号"}},
                             {"color", {"颜色"}},
                             {"Ggxh", {"规格型号"}},
                             {"Spcd", {"产地"}},
                             {"Jldw", {"基本单位"}},
                             {"hzdw", {"包装单位"}},
                             {"Scale", {"转换比例"}},
                             {"Splb", {"类别编码", "类别|编码"}},
                             {"Xsdj", {"零售价", "零售单价"}},
                             {"Pfdj", {"批发价", "批发单价"}},
                             {"lastprice", {"当前进价"}},
                             {"Cbsx", {"库存上限", "储备上限"}},
                             {"Cbxx", {"库存下限", "储备下限"}},
                             {"Kcsl", {"库存数量", "当前库存|数量"}},
                             {"kcjg", {"库存单价", "当前库存|单价"}}}
               + sizeColumns(sizes, "kcsl", Part::Row);
    case Kind::Suppliers: return partyColumns(true);
    case Kind::Customers: return partyColumns(false);
    case Kind::StockIn:
        return QList<Column>{{kKey, {kKey}, Part::Key, true},
                             {"RQ", {"入库日期", "日期"}, Part::Header},
                             {"KHBM", {"供货单位编码", "供应商编码", "单位编码"}, Part::Header, true},
                             {"FPHM", {"发票号"}, Part::Header},
                             {"NOTE", {"摘要"}, Part::Header},
                             {"RYCG", {"采购"}, Part::Header},
                             {"RYKJ", {"会计"}, Part::Header},
                             {"RYBG", {"保管"}, Part::Header},
                             {"Spbm", {"商品编码", "编码"}, Part::Line, true},
                             {"BzLx", {"包装类型"}, Part::Line},
                             {"SL", {"数量"}, Part::Line, true},
                             {"DJ", {"单价"}, Part::Line}}
               + sizeColumns(sizes, "sl", Part::Line);
    case Kind::StockOut:
        return QList<Column>{{kKey, {kKey}, Part::Key, true},
                             {"RQ", {"出库日期", "日期"}, Part::Header},
                             {"SKFS", {"销售方式"}, Part::Header},
                             {"KHBM", {"单位编码", "客户编码"}, Part::Header},
                             {"KHMC", {"单位名称"}, Part::Header},
                             {"NOTE", {"摘要"}, Part::Header},
                             {"RYKJ", {"会计"}, Part::Header},
                             {"RYBG", {"发货"}, Part::Header},
                             {"Spbm", {"商品编码", "编码"}, Part::Line, true}}
               + sizeColumns(sizes, "sl", Part::Line)
               + QList<Column>{{"SL", {"数量"}, Part::Line}, {"DJ", {"单价"}, Part::Line}};
    }
    return {};
}

// Dates as spreadsheets write them: 2026-12-10, 2026/12/10, 2026.12.10.
QDate parseDate(const QString& text) {
    for (const char* format : {"yyyy-M-d", "yyyy/M/d", "yyyy.M.d"})
        if (const QDate d = QDate::fromString(text, format); d.isValid()) return d;
    return {};
}

class Import {
public:
    Import(Database& db, Kind kind, const Options& options)
        : db_(db), kind_(kind), options_(options), config_(db) {
        config_.setTable("System");
        config_.open();
        sizes_ = SizeSlots::of(config_);
        columns_ = columnsOf(kind, sizes_);
    }

    Outcome run(const CsvFile& file) {
        if (!file.ok()) {
            outcome_.refusals.append({file.errorLine, {}, file.error});
            return outcome_;
        }
        if (file.records.isEmpty() || !readTitles(file.records.first())) {
            if (file.records.isEmpty()) outcome_.refusals.append({0, {}, "文件中没有内容"});
            return outcome_;
        }
        const QList<CsvRecord> rows = file.records.mid(1);
        if (rows.isEmpty()) {
            outcome_.refusals.append({file.records.first().line, {}, "文件中只有标题行，没有数据"});
            return outcome_;
        }
        Database::Transaction unit(db_);
        for (const CsvRecord& row : rows) checkWidth(row);
        if (kind_ == Kind::StockIn || kind_ == Kind::StockOut) importDocuments(rows);
        else importMasterData(rows);
        if (outcome_.written()) unit.commit();
        return outcome_;
    }

private:
    // The title row: every title names a column, none twice, and the
    // required ones are there.
    bool readTitles(const CsvRecord& titles) {
        QHash<QString, int> known;
        for (int c = 0; c < columns_.size(); ++c)
            for (const QString& title : columns_[c].titles + QStringList{columns_[c].field})
                if (!known.contains(title.toCaseFolded())) known.insert(title.toCaseFolded(), c);
        cellOf_.fill(-1, columns_.size());
        titleOf_.resize(columns_.size());
        for (int i = 0; i < columns_.size(); ++i) titleOf_[i] = columns_[i].titles.value(0, columns_[i].field);
        titleCount_ = int(titles.cells.size());
        for (int cell = 0; cell < titles.cells.size(); ++cell) {
            const QString title = titles.cells[cell].trimmed();
            if (title.isEmpty()) continue;  // a column without a title must stay empty (checkWidth)
            const int c = known.value(title.toCaseFolded(), -1);
            if (c < 0) {
                outcome_.refusals.append({titles.line, title, "不认识的列标题"});
            } else if (cellOf_[c] >= 0) {
                outcome_.refusals.append({titles.line, title, QString("与“%1”是同一列").arg(titleOf_[c])});
            } else {
                cellOf_[c] = cell;
                titleOf_[c] = title;
            }
        }
        for (int c = 0; c < columns_.size(); ++c)
            if (columns_[c].required && cellOf_[c] < 0) outcome_.refusals.append({titles.line, titleOf_[c], "缺少这一列"});
        return outcome_.written();
    }

    int columnOf(const QString& field) const {
        for (int c = 0; c < columns_.size(); ++c)
            if (columns_[c].field.compare(field, Qt::CaseInsensitive) == 0) return c;
        return -1;
    }
    QString cell(const CsvRecord& row, int column) const {
        const int at = cellOf_[column];
        return at < 0 ? QString() : row.cells.value(at).trimmed();
    }
    QString titleOfField(const QString& field) const {
        const int c = columnOf(field);
        return c < 0 ? field : titleOf_[c];
    }
    void refuse(int line, const QString& field, const QString& reason) {
        outcome_.refusals.append({line, titleOfField(field), reason.isEmpty() ? QString("不能保存") : reason});
    }
    // What the rules told since the last look.
    QString told() { return std::exchange(prompter_.told, {}).join('\n'); }

    // Cells beyond the titled columns, or under an empty title, belong to nothing.
    void checkWidth(const CsvRecord& row) {
        for (int cell = 0; cell < row.cells.size(); ++cell) {
            if (row.cells[cell].trimmed().isEmpty() || cellOf_.contains(cell)) continue;
            outcome_.refusals.append({row.line, QString("第 %1 列").arg(cell + 1),
                                      cell < titleCount_ ? "这一列没有标题" : "多出的数据没有列标题"});
        }
    }

    // A failure of the book is no refusal of a row: it is thrown on, and the
    // file's transaction goes back. A duplicate key points at the row's key.
    void watchWrites(RowSet& rows, const QString& keyField) {
        auto shown = rows.hooks.onWriteError;
        rows.hooks.onWriteError = [this, shown, keyField](const DbError& error) {
            switch (error.kind()) {
            case DbError::Kind::DuplicateKey: blame_ = keyField; break;
            case DbError::Kind::TooLong:
            case DbError::Kind::OutOfRange: blame_ = error.column(); break;
            default: throw error;
            }
            shown(error);
        };
    }

    // The cells of one part of a row, in the columns' order, as if typed into
    // the window's boxes; false when any is refused (each is reported).
    bool setCells(RowSet& rows, const CsvRecord& row, Part part) {
        bool taken = true;
        for (int c = 0; c < columns_.size(); ++c)
            if (columns_[c].part == part && !setCell(rows, row.line, columns_[c], cell(row, c))) taken = false;
        return taken;
    }

    bool setCell(RowSet& rows, int line, const Column& column, const QString& text) {
        if (text.isEmpty()) return true;  // the rules' default stays
        const QString& field = column.field;
        const FieldType type = rows.field(field).type;
        QVariant value = text;
        if (type == FieldType::DateTime) {
            const QDate date = parseDate(text);
            if (!date.isValid()) {
                refuse(line, field, unconvertibleText(type, text));
                return false;
            }
            value = date;
        }
        if (!rows.converts(field, value)) {
            refuse(line, field, unconvertibleText(type, text));
            return false;
        }
        if (stockOut_) {
            // What the stock-out window's boxes allow: a way of sale from
            // its list, a name typed for the walk-in customer only (any
            // other's is the customer list's), and the price the goods give
            // unless the shop lets sales prices be changed.
            if (field == "SKFS" && !stockout::kWaysOfSale.contains(text)) {
                refuse(line, field, QString("销售方式只能是%1").arg(stockout::kWaysOfSale.join("、")));
                return false;
            }
            if (field == "KHMC" && !stockOut_->customerNameTyped()) return true;
            if (field == "DJ" && !options_.salesPricesTyped) {
                if (value.toDouble() == rows.value("DJ").toDouble()) return true;
                refuse(line, field, "商品销售价格不允许修改");
                return false;
            }
        }
        told();
        if (rows.setValue(field, value)) return true;
        refuse(line, field, told());
        return false;
    }

    // Saves the row being added; a refusal is reported against the field
    // the rules pointed at, else `field`, and the row is dropped.
    bool save(RowSet& rows, int line, const QString& field) {
        told();
        blame_.clear();
        if (rows.post()) {
            told();  // what only informed
            return true;
        }
        refuse(line, blame_.isEmpty() ? field : blame_, told());
        rows.cancel();
        return false;
    }

    bool add(RowSet& rows, int line, const QString& field) {
        told();
        blame_.clear();
        if (rows.append()) return true;
        refuse(line, blame_.isEmpty() ? field : blame_, told());
        return false;
    }

    void importMasterData(const QList<CsvRecord>& rows) {
        const bool goods = kind_ == Kind::Goods;
        const QString key = goods ? "Spbm" : "Bm";
        RowSet set(db_);
        // Only what is added is wanted; the book's rows need not be read.
        set.setTable(goods ? "ASPKM" : kind_ == Kind::Suppliers ? "AGYS" : "ABMK", key, "1 = 0");
        std::unique_ptr<GoodsCatalogue> catalogue;
        if (goods) {
            catalogue = std::make_unique<GoodsCatalogue>(set, prompter_, [this] { return sizes_.inUse; });
            catalogue->focusField = [this](const QString& field) { blame_ = field; };
        } else {
            masterdata::installPartyRules(set, prompter_);
        }
        watchWrites(set, key);
        set.open();
        int written = 0;
        for (const CsvRecord& row : rows) {
            if (!add(set, row.line, key)) continue;
            if (!setCells(set, row, Part::Row)) {
                set.cancel();
                continue;
            }
            if (save(set, row.line, key)) ++written;
        }
        const char* what = goods ? "商品 %1 种" : kind_ == Kind::Suppliers ? "供应商 %1 家" : "客户 %1 家";
        outcome_.summary = "已导入" + QString(what).arg(written);
    }

    struct Document {
        QList<CsvRecord> rows;
        QString number;  // given when its header was saved
    };

    // Rows sharing a key are one document, in the order the keys first appear.
    QList<Document> documents(const QList<CsvRecord>& rows) {
        QList<Document> found;
        QHash<QString, int> byKey;
        const int keyColumn = columnOf(kKey);
        for (const CsvRecord& row : rows) {
            const QString key = cell(row, keyColumn);
            if (key.isEmpty()) {
                refuse(row.line, kKey, "单据列不能为空");
                continue;
            }
            if (!byKey.contains(key)) {
                byKey.insert(key, int(found.size()));
                found.append(Document{});
            }
            found[byKey.value(key)].rows.append(row);
        }
        return found;
    }

    // A document's header is given on its first row; on later rows a header
    // cell is left empty or repeats the first row's.
    void checkRepeatedHeaders(const Document& document) {
        const CsvRecord& first = document.rows.first();
        for (const CsvRecord& row : document.rows.mid(1))
            for (int c = 0; c < columns_.size(); ++c) {
                if (columns_[c].part != Part::Header) continue;
                const QString text = cell(row, c);
                if (!text.isEmpty() && text != cell(first, c))
                    refuse(row.line, columns_[c].field, QString("与本单据第 %1 行的表头不一致").arg(first.line));
            }
    }

    void importDocuments(const QList<CsvRecord>& rows) {
        const bool in = kind_ == Kind::StockIn;
        const DocumentKind& kind = in ? stockin::kind() : stockout::kind();
        RowSet goods(db_), parties(db_), header(db_), lines(db_);
        goods.setTable("ASPKM", "Spbm");
        parties.setTable(kind.partyTable, "Bm");
        header.setTable(kind.headerTable, "ASPRKD#PX", "1 = 0");  // only the new documents
        if (in) header.addLookupField("rfkhmc", "KHBM", &parties, "Bm", "Mc");  // the default note names the supplier
        lines.setTable(kind.lineTable, "DJHM", QString("DJHM = :%1").arg(kind.numberField));
        lines.setMaster(&header, {kind.numberField});
        const DocumentRules::Context context{db_, config_, prompter_, [this] { return options_.operatorName; },
                                             [this] { return options_.businessDate; }};
        std::unique_ptr<DocumentRules> rules;
        if (in) {
            rules = std::make_unique<StockInRules>(context, header, lines, goods, parties);
        } else {
            auto out = std::make_unique<StockOutRules>(context, header, lines, goods, parties);
            stockOut_ = out.get();
            rules = std::move(out);
        }
        rules->view.focusHeaderBox = [this](const QString& field) { blame_ = field; };
        rules->view.focusLineColumn = [this](const QString& field) { blame_ = field; };
        rules->install();
        watchWrites(header, kind.numberField);
        watchWrites(lines, "FLBH");
        for (RowSet* set : {&goods, &parties, &header, &lines}) set->open();

        QList<Document> found = documents(rows);
        int lineCount = 0;
        for (Document& document : found) {
            checkRepeatedHeaders(document);
            const CsvRecord& first = document.rows.first();
            if (!add(header, first.line, kind.partyField)) continue;
            if (!setCells(header, first, Part::Header)) {
                header.cancel();
                continue;
            }
            rules->noteEntered();
            // The lines of a document whose header is refused cannot be
            // saved, and so are not looked at until the header is mended.
            if (!save(header, first.line, kind.partyField)) continue;
            document.number = header.value(kind.numberField).toString();
            for (const CsvRecord& row : document.rows) {
                if (!add(lines, row.line, "Spbm")) continue;
                if (!setCells(lines, row, Part::Line)) {
                    lines.cancel();
                    continue;
                }
                if (save(lines, row.line, "SL")) ++lineCount;
            }
        }
        stockOut_ = nullptr;
        if (!outcome_.written()) return;

        if (options_.post)
            for (const Document& document : found) {
                const posting::Result result = posting::post(db_, kind, document.number, options_.operatorName);
                if (!result.posted()) refuse(document.rows.first().line, kKey, result.message);
            }
        outcome_.summary = QString("已导入%1 %2 张(%3 条分录)，单据号码 %4 至 %5%6")
                               .arg(in ? "入库单" : "出库单")
                               .arg(found.size())
                               .arg(lineCount)
                               .arg(found.first().number, found.last().number, options_.post ? "，已记帐" : "");
    }

    Database& db_;
    Kind kind_;
    Options options_;
    // What a rule tells while a row is refused becomes the reason; a message
    // told while a row was nevertheless taken (a stock warning) only informed.
    UnattendedPrompter prompter_;
    RowSet config_;  // the System row: counters, size slots and labels, DjRqEdit
    SizeSlots sizes_;
    QList<Column> columns_;
    QList<int> cellOf_;      // per column: its cell in a row, -1 when the file has no such column
    QStringList titleOf_;    // per column: the title the file gave it, else the documented one
    int titleCount_ = 0;     // cells in the title row
    StockOutRules* stockOut_ = nullptr;  // while stock-out documents are read
    QString blame_;          // the field the rules pointed at with the refusal under way
    Outcome outcome_;
};

}  // namespace

std::optional<Kind> kindNamed(const QString& name) {
    static const QHash<QString, Kind> kinds{{"goods", Kind::Goods},     {"suppliers", Kind::Suppliers},
                                            {"customers", Kind::Customers}, {"rkd", Kind::StockIn},
                                            {"ckd", Kind::StockOut}};
    const auto found = kinds.constFind(name);
    return found == kinds.constEnd() ? std::nullopt : std::optional<Kind>(*found);
}

Outcome importCsv(Database& db, Kind kind, const CsvFile& file, const Options& options) {
    return Import(db, kind, options).run(file);
}

Outcome importFile(Database& db, Kind kind, const QString& path, const Options& options) {
    return importCsv(db, kind, CsvFile::read(path), options);
}

}  // namespace importing
