#include "stockdocs/stocksummary.h"

namespace stocksummary {
namespace {

const char* kQuantity = "0;-0;#";
const char* kMoney = "0.00;-0.00;#";

using Footer = Column::Footer;

// Goods columns shared by the by-goods queries of both summaries.
QList<Column> goodsColumns(const QString& nameFooter) {
    return {{"spbm", "商品编码"},
            {"spmc", "商品名称", {}, nameFooter.isEmpty() ? Footer::None : Footer::Text, nameFooter},
            {"artno", "货号"},
            {"ggxh", "规格型号"},
            {"jldw", "单位"}};
}

// The cost columns of the stock-out summary: the goods' current average cost.
QList<Column> costColumns() {
    return {{"jhjg", "平均进价|单价", kMoney}, {"jhje", "平均进价|金额", kMoney}, {"mlje", "毛利", kMoney}};
}

// Gross profit: the sales amount less the cost at the current average cost.
std::function<void(RowSet&)> profitFrom(const QString& amount) {
    return [amount](RowSet& rows) {
        rows.addCalculatedField("mlje", [amount](const RowView& row) {
            return QVariant(row.value(amount).toDouble() - row.value("jhje").toDouble());
        });
    };
}

Kind makeStockIn() {
    Kind k;
    k.dialogName = "frmhzrkd";
    k.dialogCaption = "商品入库统计汇总...";
    k.resultName = "frmhzrkdcx";
    k.resultCaption = "Quorvel商业信息系统商品入库汇总查询....";
    k.reportTitle = "商品入库单汇总表";
    k.headerTable = "ASPRKD";

    Query q1{"Q1", "方式一[&1]", "入库单汇总表....",
             {"select 0 as hzxh,c.splb,0 as lbxh,a.spbm,c.spmc,c.artno,c.ggxh,c.color,c.jldw,sum(a.jbsl) as sl,sum(a.je) as je",
              "from asprkdd as a,asprkd as b,aspkm as c",
              "where a.djhm=b.djhm and a.spbm=c.spbm and b.bzw='3'",
              kConditionLine,
              "group by c.splb,a.spbm,c.spmc,c.artno,c.ggxh,c.color,c.jldw",
              "union",
              "select 0 as hzxh,c.splb,9 as lbxh,'' as spbm,d.mc as spmc,'　小　　计' as artno,'' as ggxh,'' as color,'' as jldw,sum(a.jbsl) as sl,sum(a.je)",
              "from asprkdd as a,asprkd as b,aspkm as c,asplb as d",
              "where a.djhm=b.djhm and a.spbm=c.spbm and b.bzw='3' and c.splb=d.bm",
              kConditionLine,
              "group by c.splb,d.mc",
              "union",
              "select 9 as hzxh,'' as splb,9 as lbxh,'' as spbm,'　合　　计' as spmc,'' as artno,'' as ggxh,'' as color,'' as jldw,sum(a.jbsl) as sl,sum(a.je)",
              "from asprkdd as a,asprkd as b,aspkm as c",
              "where a.djhm=b.djhm and a.spbm=c.spbm and b.bzw='3'",
              kConditionLine,
              "order by hzxh,splb,lbxh,spbm"},
             goodsColumns({}) + QList<Column>{{"sl", "入库数量", kQuantity}, {"je", "入库金额", kMoney}},
             true};

    Query q2{"Q2", "方式二[&2]", "入库单汇总表....",
             {"select a.spbm,b.spmc,b.artno,b.ggxh,b.color,b.jldw,sum(a.jbsl) as rksl,sum(a.je) as rkje,b.pfdj,b.xsdj",
              "from asprkdd as a,aspkm as b,asprkd as c",
              "where a.spbm=b.spbm and a.djhm=c.djhm and a.bzw='3'",
              kConditionLine,
              "group by a.spbm,b.spmc,b.artno,b.ggxh,b.color,b.jldw,b.pfdj,b.xsdj"},
             goodsColumns("合　　计") + QList<Column>{{"rksl", "数量", kQuantity, Footer::Sum, kQuantity},
                                                     {"rkje", "金额", kMoney, Footer::Sum, kMoney},
                                                     {"pfdj", "进批差价|批发价", kMoney},
                                                     {"pfje", "进批差价|批发金额", kMoney, Footer::Sum, kMoney},
                                                     {"jpcj", "进批差价|差价金额", kMoney, Footer::Sum, kMoney}}};
    // What came in, valued at the current wholesale price, and the difference.
    q2.addComputedColumns = [](RowSet& rows) {
        auto wholesale = [](const RowView& row) { return row.value("rksl").toDouble() * row.value("pfdj").toDouble(); };
        rows.addCalculatedField("pfje", [wholesale](const RowView& row) { return QVariant(wholesale(row)); });
        rows.addCalculatedField("jpcj", [wholesale](const RowView& row) {
            return QVariant(wholesale(row) - row.value("rkje").toDouble());
        });
    };

    Query q3{"Q3", "方式三[&3]", {},
             {"select a.khbm as bm,b.mc as mc,sum(a.je) as je",
              "from asprkd as a,agys as b",
              "where a.khbm=b.bm and a.bzw='3'",
              kConditionLine,
              "group by a.khbm,b.mc",
              "union",
              "select \"9999\" as bm,\"　合 　计\" as mc,sum(a.je) as je",
              "from asprkd as a,agys as b",
              "where a.khbm=b.bm and a.bzw='3'",
              kConditionLine},
             {{"bm", "单位编码"}, {"mc", "单位名称"}, {"je", "金　额", kMoney}}};

    k.queries = {q1, q2, q3};
    return k;
}

Kind makeStockOut() {
    Kind k;
    k.dialogName = "frmhzckd";
    k.dialogCaption = "商品出库统计汇总...";
    k.resultName = "frmhzckdcx";
    k.resultCaption = "Quorvel商业信息系统商品出库汇总查询....";
    k.reportTitle = "商品出库汇总表";
    k.headerTable = "ASPCKD";

    Query c1{"C1", "出库汇总[&1]", "出库商品汇总表....",
             {"select 0 as hzxh,c.splb,0 as lbxh,a.spbm,c.spmc,c.artno,c.ggxh,c.color,c.jldw,c.kcjg as jhjg,sum(a.jbsl) as sl,sum(a.je) as je,sum(c.kcjg*a.jbsl) as jhje",
              "from aspckdd as a,aspckd as b,aspkm as c",
              "where a.djhm=b.djhm and a.spbm=c.spbm and b.bzw='3'",
              kConditionLine,
              "group by c.splb,a.spbm,c.spmc,c.artno,c.ggxh,c.color,c.jldw,c.kcjg",
              "union",
              "select 0 as hzxh,c.splb,9 as lbxh,'' as spbm,d.mc as spmc,'　小　　计' as artno,'' as ggxh,'' as color,'' as jldw,0 as kcjg,sum(a.jbsl) as sl,sum(a.je),sum(c.kcjg*a.jbsl) as jgje",
              "from aspckdd as a,aspckd as b,aspkm as c,asplb as d",
              "where a.djhm=b.djhm and a.spbm=c.spbm and b.bzw='3' and c.splb=d.bm",
              kConditionLine,
              "group by c.splb,d.mc",
              "union",
              "select 9 as hzxh,'' as splb,9 as lbxh,'' as spbm,'　合　　计' as spmc,'' as artno,'' as ggxh,'' as color,'' as jldw,0 as kcjg,sum(a.jbsl) as sl,sum(a.je),sum(c.kcjg*a.jbsl) as jgje",
              "from aspckdd as a,aspckd as b,aspkm as c",
              "where a.djhm=b.djhm and a.spbm=c.spbm and b.bzw='3'",
              kConditionLine,
              "order by hzxh,splb,lbxh,spbm",
              ""},
             goodsColumns({}) + QList<Column>{{"sl", "出库数量", kQuantity}, {"je", "出库金额", kMoney}} + costColumns(),
             true, profitFrom("je")};

    Query c2{"C2", "金额汇总[&2]", "出库单汇总表....",
             {"select 0 as hzxh,skfs,sum(je) as je from aspckd as a",
              "where bzw='3'",
              kConditionLine,
              "group by skfs",
              "union",
              "select 9 as hzxh,'合计' as skfs,sum(je) as je from aspckd as a",
              "where bzw='3'",
              kConditionLine,
              "order by hzxh"},
             {{"skfs", "项目"}, {"je", "金　额", kMoney}}};

    Query c3{"C3", "部门汇总[&3]", {},
             {"select a.khbm as khbm,b.mc as khmc,sum(je) as je  from aspckd as a,abmk as b ",
              "where bzw='3' and a.khbm=b.bm",
              kConditionLine,
              "group by a.khbm,b.mc",
              "union",
              "select 'ZZZZZ' as khbm,'合计' as khmc,sum(je) as je from aspckd as a",
              "where bzw='3'",
              kConditionLine,
              ""},
             {{"khmc", "单位名称"}, {"je", "金额", kMoney}}};

    Query c4{"C4", "方式四[&4]", {},
             {"select a.spbm,b.spmc,b.artno,b.ggxh,b.color,b.jldw,sum(a.jbsl) as rksl,sum(a.je)as rkje,b.kcjg as jhjg,sum(b.kcjg*a.jbsl)  as jhje",
              "from aspckdd as a,aspkm as b,aspckd as c",
              "where a.spbm=b.spbm and a.djhm=c.djhm and a.bzw='3'",
              kConditionLine,
              "group by a.spbm,b.spmc,b.artno,b.ggxh,b.color,b.jldw,b.kcjg"},
             goodsColumns("合　　计") + QList<Column>{{"rksl", "数量", {}, Footer::Sum, kQuantity},
                                                     {"rkje", "金额", kMoney, Footer::Sum, kMoney}} + costColumns(),
             false, profitFrom("rkje")};

    k.queries = {c1, c2, c3, c4};
    return k;
}

}  // namespace

QString paddedNumber(const QString& typed) {
    const QString number = typed.trimmed();
    return number.size() >= 9 ? number : number.rightJustified(9, '0');
}

Condition condition(const Criteria& c) {
    Condition w;
    if (!c.poster.isEmpty()) {
        w.text = "and ryjz = :ryjz ";
        w.params.insert("ryjz", c.poster);
    }
    if (c.by == Criteria::By::Number) {
        w.text += " and (a.djhm>=:djhmfrom and a.djhm<=:djhmto)";
        w.params.insert("djhmfrom", paddedNumber(c.numberFrom));
        w.params.insert("djhmto", paddedNumber(c.numberTo));
    } else {
        w.text += QString(" and (rq>=#%1# and rq<#%2#)")
                      .arg(c.from.toString("yyyy-MM-dd"), c.to.addDays(1).toString("yyyy-MM-dd"));
    }
    return w;
}

QString statement(const Query& query, const QString& condition) {
    QStringList lines = query.lines;
    for (QString& line : lines)
        if (line == kConditionLine) line = condition;
    return lines.join('\n');
}

const Kind& stockIn() {
    static const Kind kind = makeStockIn();
    return kind;
}

const Kind& stockOut() {
    static const Kind kind = makeStockOut();
    return kind;
}

SummaryRun::SummaryRun(Database& db, const Kind& kind) : db_(db), kind_(kind) {
    for (const Query& q : kind.queries) {
        auto rows = std::make_unique<RowSet>(db_);
        if (q.addComputedColumns) q.addComputedColumns(*rows);
        rows_.push_back(std::move(rows));
    }
}

SummaryRun::~SummaryRun() = default;

void SummaryRun::run(const Criteria& criteria) {
    const Condition w = condition(criteria);
    for (size_t i = 0; i < rows_.size(); ++i) {
        RowSet& rows = *rows_[i];
        rows.close();
        rows.setQuery(statement(kind_.queries[qsizetype(i)], w.text));
        for (auto it = w.params.begin(); it != w.params.end(); ++it) rows.setParam(it.key(), it.value());
        rows.open();
    }
}

void SummaryRun::showDetail(int query, bool on) {
    if (on) rows(query).clearFilter();
    else rows(query).setFilter([](const RowView& row) { return row.value("lbxh").toInt() == 9; });
}

}  // namespace stocksummary
