#include "database/jetdialect.h"
#include "support/testdatabase.h"

#include <QDate>
#include <gtest/gtest.h>

namespace {

struct Translation {
    const char* jet;
    const char* expected;
};

void PrintTo(const Translation& t, std::ostream* os) { *os << t.jet; }

class JetTranslation : public testing::TestWithParam<Translation> {};

TEST_P(JetTranslation, RewritesOnlyWhatTheEngineLacks) {
    EXPECT_EQ(translateJetSql(QString::fromUtf8(GetParam().jet)).toStdString(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Dialect, JetTranslation,
    testing::Values(
        Translation{"alter table  system add SLY Short  default 0", "alter table  system add SLY INTEGER  default 0"},
        Translation{"alter table  system add DjRqEdit logical default False",
                    "alter table  system add DjRqEdit BOOLEAN default 0"},
        Translation{"alter table x add a Text(10), b Memo, c Double, d Yes/No, e DateTime, f Long",
                    "alter table x add a TEXT(10) COLLATE NOCASE, b TEXT, c REAL, d BOOLEAN, e DATETIME, f INTEGER"},
        Translation{"select count(*) as djcc from asprkd where bzw<>\"3\"",
                    "select count(*) as djcc from asprkd where bzw<>'3'"},
        Translation{"select \"9999\" as bm,\"O'Neil \"\"x\"\"\" as mc", "select '9999' as bm,'O''Neil \"x\"' as mc"},
        Translation{"and rq>=#01/01/1990# and rq<=#12/31/2010#",
                    "and rq>='1990-01-01 00:00:00' and rq<='2010-12-31 00:00:00'"},
        Translation{"rq>=#2003-07-01# and rq<#2003-7-2 13:05#",
                    "rq>='2003-07-01 00:00:00' and rq<'2003-07-02 13:05:00'"},
        // Literal texts, bracketed names and parameters pass untouched.
        Translation{"select 'True #1/1/2000#' as t, [True] from x where a=:False and b=True",
                    "select 'True #1/1/2000#' as t, [True] from x where a=:False and b=1"},
        Translation{"select a.True from t where x = '#' or y = '#'", "select a.True from t where x = '#' or y = '#'"},
        // Type words are only types inside table definitions.
        Translation{"select Memo, Long from t", "select Memo, Long from t"},
        // & joins texts; the join words stay joins, the functions become the engine's.
        Translation{"select 'T' & 5, name&'&' from t", "select 'T' || 5, name||'&' from t"},
        Translation{"select Left(a, 2), RIGHT (b,1) from t left join u on t.x=u.left",
                    "select jet_left(a, 2), jet_right (b,1) from t left join u on t.x=u.left"},
        Translation{"where rq = Date() and t < now( ) and date(rq) = x.Date",
                    "where rq = jet_date() and t < jet_now() and date(rq) = x.Date"}));

struct Evaluation {
    const char* expression;
    QVariant expected;
};

void PrintTo(const Evaluation& e, std::ostream* os) { *os << e.expression; }

class JetFunctions : public testing::TestWithParam<Evaluation> {};

// What an administrator used to the Jet engine types gives what it gave there.
TEST_P(JetFunctions, GiveWhatJetGave) {
    TestDatabase t;
    const QVariant got = t.db().scalar("select " + QString::fromUtf8(GetParam().expression));
    EXPECT_EQ(got, GetParam().expected) << got.toString().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Dialect, JetFunctions,
    testing::Values(Evaluation{"'T' & 5", "T5"}, Evaluation{"'鞋' & \"-\" & 12", "鞋-12"},
                    Evaluation{"IIf(2 > 1, '是', '否')", "是"}, Evaluation{"iif(null, 1, 0)", 0LL},
                    Evaluation{"Nz(null, 7)", 7LL}, Evaluation{"Nz(null)", ""}, Evaluation{"Nz('x', 7)", "x"},
                    Evaluation{"Mid('运动跑鞋', 3)", "跑鞋"}, Evaluation{"Mid('运动跑鞋', 2, 2)", "动跑"},
                    Evaluation{"Left('运动跑鞋', 2)", "运动"}, Evaluation{"Right('运动跑鞋', 2)", "跑鞋"},
                    Evaluation{"Right('ab', 5)", "ab"}, Evaluation{"Len('运动鞋')", 3LL}, Evaluation{"Len(null)", QVariant()},
                    Evaluation{"Trim('  a  ')", "a"}, Evaluation{"UCase('abc')", "ABC"}, Evaluation{"LCase('ABC')", "abc"},
                    Evaluation{"Format('2003-07-05 13:04:09', 'yyyy-mm-dd')", "2003-07-05"},
                    Evaluation{"Format(#7/5/2003 13:04:09#, 'yy/m/d hh:mm:ss')", "03/7/5 13:04:09"},
                    Evaluation{"Format(#2003-07-05#, 'yyyymm')", "200307"},
                    Evaluation{"Format(#2003-07-05#, 'Long Date')", "2003年7月5日"},
                    Evaluation{"Format('2003-07-05 00:00:00')", "2003-07-05"}, Evaluation{"Format(null, 'yyyy')", QVariant()}));

// Date() equals a date stored today; Now() is later than today's midnight.
TEST(JetDialect, DateAndNowAreTheClockInTheStoredForm) {
    TestDatabase t;
    Database& db = t.db();
    db.exec("insert into ASPRKD (DJHM, RQ) values ('000000001', :today), ('000000002', :yesterday)",
            {{"today", QDate::currentDate()}, {"yesterday", QDate::currentDate().addDays(-1)}});
    EXPECT_EQ(db.scalar("select DJHM from ASPRKD where RQ = Date()").toString(), "000000001");
    EXPECT_EQ(db.scalar("select count(*) from ASPRKD where RQ < Now()").toInt(), 2);
}

// The statements of a text are found at the semicolons that end them, not at
// those inside literals, names or comments.
TEST(JetDialect, SplitsStatementsOnlyAtTheirEnds) {
    EXPECT_EQ(splitJetStatements("select ';' from t; -- one; two\n update t set a=\"x;\" ; /* ; */ ;  "),
              (QStringList{"select ';' from t", "-- one; two\n update t set a=\"x;\""}));
    EXPECT_EQ(splitJetStatements("select [a;b] from t;"), QStringList{"select [a;b] from t"});
    EXPECT_EQ(splitJetStatements("select 'it''s;' from t"), QStringList{"select 'it''s;' from t"});
    EXPECT_TRUE(splitJetStatements("  ; -- nothing\n ;").isEmpty());
}

// The statements the period routines, summaries and tidy-up run, exactly as
// written there, must run on a fresh book.
const char* const kPartsStatements[] = {
    "select count(*) as djcc from asprkd where bzw<>\"3\"",
    "select count(*) as djcc from afkd where bzw<>\"3\"",
    "insert into  aspmxzm (spbm,rq,zyxx,rksl,cksl,kcsl,kcje,kcjg) select spbm,:xrq as rq,'本月合计' as zyxx,byrksl,bycksl,kcsl,kcje,kcjg from aspkm",
    "insert into  axslsz (spbm,rq,zyxx,sl,dj,je) select spbm,:xrq as rq,'本月累计' as zyxx,bncksl,0,bnxsje from aspkm",
    "insert into abmmxz (dwbh,rq,zyxx,jfje,dfje,jyje) select bm as dwbh,:xrq as rq,'本月合计' as zyxx,byjf,bydf,jyje from abmk",
    "insert into agymxz (dwbh,rq,zyxx,jfje,dfje,jyje) select bm as dwbh,:xrq as rq,'上期结转' as zyxx,0 as jfje,0 as dfje,jyje from agys",
    "update aspkm set bnrksl=0,bncksl=0,ncsl=kcsl,byxsje=0,bnxsje=0",
    "update abmk set bnjf=0,bndf=0,ncye=jyje",
    "delete from asprkd where bzw='3' or bzw='4'",
    "delete from asprkd where djhm not in (select djhm from asprkdd)",
    "delete from abmmxz where dwbh not in (select bm from abmk)",
    "update aspkm set ncsl=0,bnrksl=0,byrksl=0,bncksl=0,bycksl=0,kcsl=0,kcje=0,kcjg=0,kcslsj=0,byxsje=0,bnxsje=0,\n"
    "kcsla=0,kcslb=0,kcslc=0,kcsld=0,kcsle=0,kcslf=0,kcslg=0,kcslh=0,kcsli=0,kcslj=0,kcslk=0,kcsll=0,kcslm=0,kcsln=0,kcslo=0,kcslp=0",
    "select 0 as hzxh,a.dwbh,b.mc,sum(je) as je from askd as a,abmk as b\nwhere a.dwbh=b.bm and bzw='3'\n"
    "and rq>=#01/01/1990# and rq<=#12/31/2010#\ngroup by a.dwbh,b.mc\nunion\n"
    "select 9 as hzxh,'合计','　合　计' as mc,sum(je) as je from askd as a\nwhere bzw='3'\n"
    "and rq>=#01/01/1990# and rq<=#12/31/2010#",
    "select a.khbm as bm,b.mc as mc,sum(a.je) as je\nfrom asprkd as a,agys as b\nwhere a.khbm=b.bm and a.bzw='3'\n"
    " and (rq>=#2003-07-01# and rq<#2003-08-01#)\ngroup by a.khbm,b.mc\nunion\n"
    "select \"9999\" as bm,\"　合 　计\" as mc,sum(a.je) as je\nfrom asprkd as a,agys as b\n"
    "where a.khbm=b.bm and a.bzw='3'\n and (rq>=#2003-07-01# and rq<#2003-08-01#)",
};

TEST(JetDialect, StatementsOfThePeriodRoutinesRunUnchanged) {
    TestDatabase t;
    for (const char* sql : kPartsStatements) {
        SCOPED_TRACE(sql);
        EXPECT_NO_THROW(t.db().exec(QString::fromUtf8(sql), {{"xrq", QDate(2003, 7, 31)}}));
    }
}

// The stock-in summary by category and goods: a union over a date range
// whose to-day is included whole, ordered by the union's own columns.
TEST(JetDialect, SummaryUnionSumsTheRangeIncludingTheWholeLastDay) {
    TestDatabase t;
    Database& db = t.db();
    db.exec("insert into ASPLB (Bm, Mc) values ('01', '鞋')");
    db.exec("insert into ASPKM (Spbm, Spmc, Splb) values ('A1', '跑鞋', '01')");
    db.exec("insert into ASPRKD (DJHM, RQ, BZW) values ('000000001', #07/31/2003#, '3'), "
            "('000000002', #2003-08-01#, '3'), ('000000003', #2003-07-15#, '1')");
    db.exec("insert into asprkdd (DJHM, FLBH, Spbm, JBSL, JE) values ('000000001', 1, 'A1', 2, 20), "
            "('000000002', 1, 'A1', 5, 50), ('000000003', 1, 'A1', 7, 70)");
    const QString w = " and (rq>=#07/01/2003# and rq<#08/01/2003#)";
    const QString sql =
        "select 0 as hzxh,c.splb,0 as lbxh,a.spbm,c.spmc,c.artno,c.ggxh,c.color,c.jldw,sum(a.jbsl) as sl,sum(a.je) as je\n"
        "from asprkdd as a,asprkd as b,aspkm as c\nwhere a.djhm=b.djhm and a.spbm=c.spbm and b.bzw='3'\n" + w + "\n"
        "group by c.splb,a.spbm,c.spmc,c.artno,c.ggxh,c.color,c.jldw\nunion\n"
        "select 0 as hzxh,c.splb,9 as lbxh,'' as spbm,d.mc as spmc,'　小　　计' as artno,'' as ggxh,'' as color,'' as jldw,sum(a.jbsl) as sl,sum(a.je)\n"
        "from asprkdd as a,asprkd as b,aspkm as c,asplb as d\nwhere a.djhm=b.djhm and a.spbm=c.spbm and b.bzw='3' and c.splb=d.bm\n" + w + "\n"
        "group by c.splb,d.mc\nunion\n"
        "select 9 as hzxh,'' as splb,9 as lbxh,'' as spbm,'　合　　计' as spmc,'' as artno,'' as ggxh,'' as color,'' as jldw,sum(a.jbsl) as sl,sum(a.je)\n"
        "from asprkdd as a,asprkd as b,aspkm as c\nwhere a.djhm=b.djhm and a.spbm=c.spbm and b.bzw='3'\n" + w + "\n"
        "order by hzxh,splb,lbxh,spbm";
    const QList<QVariantList> rows = db.rows(sql);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0][3].toString(), "A1");
    EXPECT_EQ(rows[1][5].toString(), "　小　　计");
    EXPECT_EQ(rows[2][4].toString(), "　合　　计");
    for (const QVariantList& r : rows) EXPECT_EQ(r[9].toDouble(), 2) << "only the posted July document counts";
}

}  // namespace
