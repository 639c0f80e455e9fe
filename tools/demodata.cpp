#include "tools/admintool.h"

#include "database/schema.h"

void loadDemoData(Database& db) {
    Database::Transaction tx(db);
    db.exec("update System set ANAME = '示例体育用品商店', ADDRESS = '人民路 88 号', TELNO = '010-12345678', "
            "LXRY = '王经理', SLY = 8");
    const QStringList labelColumns = schema::sizeSlotColumns("S");
    for (int i = 0; i < 8; ++i)
        db.exec(QString("update System set %1 = :label").arg(labelColumns[i]), {{"label", QString::number(36 + i)}});

    const QList<QPair<QString, QString>> categories = {
        {"01", "运动鞋"}, {"02", "休闲鞋"}, {"03", "运动服"}, {"04", "球衣"}, {"05", "配件"}};
    for (const auto& [bm, mc] : categories)
        db.exec("insert into ASPLB (Bm, Mc) values (:bm, :mc)", {{"bm", bm}, {"mc", mc}});

    struct Goods {
        const char *code, *name, *article, *colour, *category, *unit, *package;
        int scale;
        double retail, wholesale;
    };
    const Goods goods[] = {
        {"XZ001", "跑步鞋", "R-1001", "白蓝", "01", "双", "箱", 12, 398, 320},
        {"XZ002", "篮球鞋", "B-2002", "黑红", "01", "双", "箱", 10, 568, 460},
        {"XZ003", "训练鞋", "T-3003", "灰", "01", "双", "箱", 12, 268, 210},
        {"XZ004", "帆布鞋", "C-4004", "白", "02", "双", "箱", 20, 168, 120},
        {"XZ005", "板鞋", "S-5005", "黑白", "02", "双", "箱", 12, 299, 240},
        {"FZ001", "运动套装", "K-6001", "藏青", "03", "套", "包", 10, 458, 360},
        {"FZ002", "运动短裤", "K-6002", "黑", "03", "条", "包", 20, 99, 70},
        {"FZ003", "足球球衣", "J-7001", "红", "04", "件", "包", 20, 188, 150},
        {"FZ004", "篮球球衣", "J-7002", "黄", "04", "件", "包", 20, 208, 165},
        {"PJ001", "运动袜", "P-8001", "白", "05", "双", "", 1, 25, 18},
    };
    for (const Goods& g : goods) {
        QStringList slotZeros;
        for (const QString& c : schema::sizeSlotColumns("kcsl")) slotZeros.append(c + " = 0");
        db.exec("insert into ASPKM (Spbm, Spmc, ArtNo, color, Splb, Jldw, hzdw, Scale, Xsdj, Pfdj, JhjgH, JhjgL, "
                "lastprice, Kcsl, kcjg, kcje, KcslSj, Ncsl, Bnrksl, Byrksl, Bncksl, Bycksl, bnxsje, byxsje, Cbsx, Cbxx) "
                "values (:spbm, :spmc, :artno, :color, :splb, :jldw, :hzdw, :scale, :xsdj, :pfdj, 0, 0, 0, 0, 0, 0, "
                "0, 0, 0, 0, 0, 0, 0, 0, 0, 0)",
                {{"spbm", g.code}, {"spmc", g.name}, {"artno", g.article}, {"color", g.colour}, {"splb", g.category},
                 {"jldw", g.unit}, {"hzdw", QString(g.package)}, {"scale", g.scale}, {"xsdj", g.retail},
                 {"pfdj", g.wholesale}});
        db.exec("update ASPKM set " + slotZeros.join(", ") + " where Spbm = :spbm", {{"spbm", g.code}});
    }

    const char* suppliers[][4] = {{"G001", "华南鞋业有限公司", "李强", "020-87654321"},
                                  {"G002", "东方服饰制造厂", "陈红", "021-55556666"},
                                  {"G003", "北方体育用品批发部", "赵刚", "024-23456789"}};
    for (const auto& s : suppliers)
        db.exec("insert into AGYS (Bm, Mc, Fzry, lxdh, ncye, bnjf, bndf, byjf, bydf, jyje) "
                "values (:bm, :mc, :fzry, :lxdh, 0, 0, 0, 0, 0, 0)",
                {{"bm", s[0]}, {"mc", s[1]}, {"fzry", s[2]}, {"lxdh", s[3]}});

    const char* customers[][4] = {{"K001", "阳光体育用品店", "刘洋", "13800000001"},
                                  {"K002", "奔跑者专卖店", "孙丽", "13800000002"},
                                  {"K003", "第一中学", "周老师", "010-66667777"}};
    for (const auto& c : customers)
        db.exec("insert into ABMK (Bm, Mc, Fzry, lxdh, ncye, bnjf, bndf, byjf, bydf, jyje) "
                "values (:bm, :mc, :fzry, :lxdh, 0, 0, 0, 0, 0, 0)",
                {{"bm", c[0]}, {"mc", c[1]}, {"fzry", c[2]}, {"lxdh", c[3]}});
    tx.commit();
}
