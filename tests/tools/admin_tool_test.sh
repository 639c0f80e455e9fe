#!/bin/bash
# The companion tool on real working directories: bad input
# gets a one-line message and a non-zero exit, never a crash.
set -u
admin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

expect() {  # expect <exit code> <text in output> <command...>
    local code=$1 text=$2
    shift 2
    local output
    output=$("$@" 2>&1)
    local rc=$?
    if [[ $rc -ne $code || "$output" != *"$text"* ]]; then
        echo "FAIL: $* -> exit $rc, output: $output (wanted exit $code with '$text')"
        failures=$((failures + 1))
    fi
}

expect 2 "用法" "$admin"
expect 2 "用法" "$admin" init "$work/a"
expect 0 "已建立数据库" "$admin" init "$work/new/place" --admin-password pw
[[ -f "$work/new/place/DATA/DbVexa.mdb" ]] || { echo "FAIL: init did not make the missing directories"; failures=$((failures + 1)); }
expect 2 "口令不能为空" "$admin" init "$work" --admin-password ""
expect 0 "已建立数据库" "$admin" init "$work" --admin-password pw
for t in repsprkd repspxsd repskd repfkd reporder repbgzm repxslsz; do
    [[ -f "$work/reports/$t.frf" ]] || { echo "FAIL: init did not copy reports/$t.frf"; failures=$((failures + 1)); }
done
expect 2 "数据库已经存在" "$admin" init "$work" --admin-password pw
expect 0 "admin" "$admin" sql "$work" "select logname from aczqx"
expect 0 "1 行受影响" "$admin" sql "$work" "insert into asplb (bm, mc) values (\"01\", \"鞋\")"
expect 2 "UNIQUE" "$admin" sql "$work" "insert into asplb (bm, mc) values ('01', 'x')"
expect 2 "syntax" "$admin" sql "$work" "selec nothing"
# One statement per call: a second one is refused, not dropped; nothing of the
# text runs then, and the key pragmas (which SQLCipher carries out while
# preparing) never reach the book.
expect 2 "一次只能执行一条语句" "$admin" sql "$work" "insert into asplb (bm, mc) values ('02', 'a'); delete from asplb"
expect 0 "鞋" "$admin" sql "$work" "select mc from asplb where bm = '01'"
expect 0 $'n\n0' "$admin" sql "$work" "select count(*) as n from asplb where bm = '02';"
for text in "select 1;;select 2" "select 1; pragma rekey = 'x'" "select 1; selec nothing"; do
    expect 2 "一次只能执行一条语句" "$admin" sql "$work" "$text"
done
for text in "select 1 ;  -- done" "select 1, ';'; /* note */ ;" "select 1"; do
    expect 0 "1" "$admin" sql "$work" "$text"
done
for text in "pragma rekey = 'x'" "PRAGMA  ReKey='x'" "pragma main.\"key\" = 'x'" "/* c */ pragma hexrekey = '00'"; do
    expect 2 "PRAGMA key/rekey" "$admin" sql "$work" "$text"
done
for text in "" "   " "-- nothing" ";"; do
    expect 2 "没有要执行的 SQL 语句" "$admin" sql "$work" "$text"
done
expect 0 "admin" "$admin" sql "$work" "select logname from aczqx"
expect 2 "没有这个操作员" "$admin" passwd "$work" nobody pw2
expect 0 "口令已更改" "$admin" passwd "$work" ADMIN pw2

expect 0 "口令:" "$admin" demo "$work/demo"
expect 0 "8" "$admin" sql "$work/demo" "select sly from system"
expect 0 "XZ001" "$admin" sql "$work/demo" "select spbm from aspkm where spbm = 'xz001'"
expect 2 "数据库已经存在" "$admin" demo "$work/demo"
expect 0 "帐套一致，未发现问题" "$admin" audit "$work/demo"

# Posting a saved stock-in document of the demo book, and the refusals, which change nothing.
d="$work/demo"
"$admin" sql "$d" "insert into ASPRKD (DJHM, RQ, KHBM, Je, NOTE, BZW) values ('000000001', #2004-03-15#, 'G001', 0, 'n', '1')" >/dev/null
"$admin" sql "$d" "insert into ASPRKD (DJHM, RQ, KHBM, Je, NOTE, BZW) values ('000000002', #2004-03-15#, 'G001', 0, 'n', '1')" >/dev/null
"$admin" sql "$d" "insert into ASPRKD (DJHM, RQ, KHBM, Je, NOTE, BZW) values ('000000003', #2004-03-15#, 'G009', 0, 'n', '1')" >/dev/null
for n in 000000001 000000003; do
    "$admin" sql "$d" "insert into asprkdd (DJHM, FLBH, Spbm, BzLx, SL, DJ, JBSL, JBDJ, JE, slA) values ('$n', 1, 'XZ001', 12, 1, 10, 12, 10, 120, 12)" >/dev/null
done
expect 2 "用法" "$admin" post "$d" rkd
expect 2 "不认识的单据类别" "$admin" post "$d" xyz 1
expect 2 "无效的单据,不能记帐！" "$admin" post "$d" rkd 2
expect 2 "供应商 G009" "$admin" post "$d" rkd 3
expect 2 "单据 000000009 不存在!" "$admin" post "$d" rkd 9
expect 0 "0" "$admin" sql "$d" "select count(*) from ASPMXZM"
expect 0 "已记帐" "$admin" post "$d" rkd 1 --operator 李会计
expect 0 $'12\t李会计' "$admin" sql "$d" "select a.Kcsl, h.RYJZ from ASPKM a, ASPRKD h where a.Spbm = 'XZ001' and h.DJHM = '000000001'"
expect 2 "单据已经记帐!" "$admin" post "$d" rkd 000000001
expect 0 "1" "$admin" sql "$d" "select count(*) from ASPMXZM"

# A stock-out document of the same book: a walk-in cash sale, and one to a customer who is gone.
"$admin" sql "$d" "insert into ASPCKD (DJHM, RQ, KHBM, KHMC, SKFS, Je, NOTE, BZW) values ('000000001', #2004-03-16#, '0000', '王先生', '现金', 0, 'n', '1')" >/dev/null
"$admin" sql "$d" "insert into ASPCKD (DJHM, RQ, KHBM, KHMC, SKFS, Je, NOTE, BZW) values ('000000002', #2004-03-16#, 'K009', 'x', '记帐', 0, 'n', '1')" >/dev/null
for n in 000000001 000000002; do
    "$admin" sql "$d" "insert into ASPCKDD (DJHM, FLBH, Spbm, BzLx, SL, DJ, JBSL, JBDJ, JE, slA) values ('$n', 1, 'XZ001', 1, 2, 398, 2, 398, 796, 2)" >/dev/null
done
expect 2 "客户 K009" "$admin" post "$d" ckd 2
expect 0 "已记帐" "$admin" post "$d" ckd 1
expect 0 $'10\t796\t王先生' "$admin" sql "$d" "select a.Kcsl, m.bydf, s.khmc from ASPKM a, ABMK m, AXSLSZ s where a.Spbm = 'XZ001' and m.Bm = '0000'"
expect 2 "单据已经记帐!" "$admin" post "$d" ckd 1
# Receipts and payments: a zero amount is refused and changes nothing.
"$admin" sql "$d" "insert into ASKD (Djhm, RQ, Dwbh, Je, NOTE, BZW) values ('000000001', #2004-03-15#, 'K001', 0, 'n', '1')" >/dev/null
"$admin" sql "$d" "insert into ASKD (Djhm, RQ, Dwbh, Je, NOTE, BZW) values ('000000002', #2004-03-15#, 'K001', 300, 'n', '1')" >/dev/null
"$admin" sql "$d" "insert into AFKD (Djhm, RQ, Dwbh, Je, NOTE, BZW) values ('000000001', #2004-03-15#, 'G001', 1000, 'n', '1')" >/dev/null
expect 2 "金额不能为零" "$admin" post "$d" skd 1
expect 0 "1" "$admin" sql "$d" "select BZW from ASKD where Djhm = '000000001'"
expect 0 "已记帐" "$admin" post "$d" skd 2 --operator 李会计
expect 0 $'-300\t回收欠帐' "$admin" sql "$d" "select k.jyje, l.jsfs from ABMK k, ABMLSZ l where k.Bm = 'K001' and l.Dwbh = 'K001'"
expect 0 "已记帐" "$admin" post "$d" fkd 1
expect 0 "1000" "$admin" sql "$d" "select Dfje from AGYMXZ where Djhm = '000000001' and Dfje > 0"

# The audit of that book: the documents were put in behind the counters' back
# and one names a supplier who is gone (exit 1); a book that cannot be read exits 2.
expect 1 "计数器 Ykrkdh: 应不小于 3(入库单 000000003)，实为 0" "$admin" audit "$d"
expect 1 "入库单 000000003: 供应商 G009 不存在" "$admin" audit "$d"
expect 2 "用法" "$admin" audit
expect 2 "找不到数据库文件" "$admin" audit "$work/nowhere"
mkdir -p "$work/broken/DATA" && echo "not a book" > "$work/broken/DATA/DbVexa.mdb"
expect 2 "" "$admin" audit "$work/broken"
# The period routines: refusals print the routine's lines and exit 2 with the
# book unchanged; a failure exits 1, also unchanged; done is exit 0.
book="$work/period"
expect 0 "口令:" "$admin" demo "$book"
expect 2 "缺少 --date" "$admin" month-end "$book"
expect 2 "日期无效" "$admin" month-end "$book" --date 2004-13-01
expect 2 "不认识的参数: --overwrite" "$admin" month-end "$book" --date 2004-03-31 --overwrite
expect 2 "缺少工作目录" "$admin" tidy
expect 0 "1 行受影响" "$admin" sql "$book" "insert into askd (djhm, bzw) values ('000000001', '1')"
expect 2 $'还有未记帐的收款单,\n现在不能进行月末数据处理!' "$admin" month-end "$book" --date 2004-03-31
expect 0 "1 行受影响" "$admin" sql "$book" "update askd set bzw = '3'"
expect 2 "没有进行月末数据处理,,不能进行月初数据处理!" "$admin" month-start "$book" --date 2004-03-31
expect 0 "系统月末数据处理完毕！" "$admin" month-end "$book" --date 2004-03-31
[[ -f "$book/DATA/DB200403.MDB" ]] || { echo "FAIL: month-end wrote no DB200403.MDB"; failures=$((failures + 1)); }
copied=$(sqlcipher "$book/DATA/DB200403.MDB" "pragma key = '735'; select count(*) from askd; select count(*) from abmmxz where zyxx = '本月合计';" 2>&1)
[[ "$copied" == *$'1\n'* ]] || { echo "FAIL: the backup does not open with the key or lacks the month: $copied"; failures=$((failures + 1)); }
expect 2 "现在不是开工状态,不能进行月末数据处理!" "$admin" month-end "$book" --date 2004-03-31
expect 2 "一旦开工则不能再进行月初数据里." "$admin" start-work "$book"
expect 0 $'operation\n进行系统月初开工' "$admin" sql "$book" "select operation from agzrz where logname = 'tool'"
# A failure part-way: nothing changed, the state stays for a second try.
expect 0 "0 行受影响" "$admin" sql "$book" "create trigger broken before update on agys begin select raise(abort, 'disk trouble'); end"
expect 1 "系统月初（年初）数据处理未能完成!" "$admin" month-start "$book" --date 2004-03-31 --clear-documents
expect 0 $'Sys2\n2' "$admin" sql "$book" "select Sys2 from system"
expect 0 $'n\n1' "$admin" sql "$book" "select count(*) as n from askd"
expect 0 "0 行受影响" "$admin" sql "$book" "drop trigger broken"
expect 0 "系统月初（年初）数据处理完毕!" "$admin" month-start "$book" --date 2004-03-31
expect 0 $'n\n1' "$admin" sql "$book" "select count(*) as n from askd"
expect 0 "开工成功!" "$admin" start-work "$book"
expect 2 "现在已经是开工状态!" "$admin" start-work "$book"
before=$(md5sum < "$book/DATA/DB200403.MDB")
expect 0 "没有覆盖" "$admin" month-end "$book" --date 2004-03-31
[[ "$(md5sum < "$book/DATA/DB200403.MDB")" == "$before" ]] || { echo "FAIL: the older backup was replaced"; failures=$((failures + 1)); }
expect 0 "开工成功!" "$admin" start-work "$book" --yes
expect 0 "数据库备份" "$admin" month-end "$book" --date 2004-03-31 --overwrite-backup
[[ "$(md5sum < "$book/DATA/DB200403.MDB")" != "$before" ]] || { echo "FAIL: --overwrite-backup kept the older backup"; failures=$((failures + 1)); }
expect 0 "系统帐簿初始化完毕!" "$admin" ledgers "$book" --date 2004-04-01 --goods --suppliers
expect 0 $'n\n0' "$admin" sql "$book" "select count(*) as n from aspmxzm where zyxx <> '上期结转'"
expect 0 $'n\n12' "$admin" sql "$book" "select count(*) as n from abmmxz where zyxx = '本月合计'"
expect 0 "系统数据整理完毕!" "$admin" tidy "$book"

# Import: the example files go into a demo book by the windows' rules and
# leave it consistent; a refused row names its line and column and nothing of
# the file is written (exit 2); a failure of the book exits 1, also unchanged.
examples=$(cd "$(dirname "$0")/../../examples" && pwd)
book="$work/import"
expect 0 "口令:" "$admin" demo "$book"
expect 0 "已导入商品 3 种" "$admin" import "$book" goods "$examples/goods.csv"
expect 0 "已导入供应商 2 家" "$admin" import "$book" suppliers "$examples/suppliers.csv"
expect 0 "已导入客户 2 家" "$admin" import "$book" customers "$examples/customers.csv"
expect 0 "已导入入库单 2 张(4 条分录)，单据号码 000000001 至 000000002，已记帐" "$admin" import "$book" rkd "$examples/rkd.csv" --post
expect 0 "已导入出库单 2 张(4 条分录)，单据号码 000000001 至 000000002，已记帐" "$admin" import "$book" ckd "$examples/ckd.csv" --post
expect 0 "帐套一致" "$admin" audit "$book"
expect 2 '第 4 行 列“商品编码”: 关键字(编码)不能重复!' "$admin" import "$book" goods "$examples/goods.csv"
expect 0 $'n\n13' "$admin" sql "$book" "select count(*) as n from aspkm"
expect 2 "不认识的导入类别: orders" "$admin" import "$book" orders "$examples/goods.csv"
expect 2 "找不到文件" "$admin" import "$book" goods "$work/nothing.csv"
expect 2 "不认识的参数: --posted" "$admin" import "$book" rkd "$examples/rkd.csv" --posted
expect 2 "用法" "$admin" import "$book" goods
expect 0 "0 行受影响" "$admin" sql "$book" "create trigger broken before insert on aspmxzm begin select raise(abort, 'disk trouble'); end"
expect 1 "导入未能完成，没有导入任何数据: " "$admin" import "$book" rkd "$examples/rkd.csv" --post
expect 0 $'n\n2' "$admin" sql "$book" "select count(*) as n from asprkd"

# The benchmark on a tiny book: exit 0, a row for every operation, and a
# synthetic book the audit finds consistent (the figures mean nothing here).
bench=$("$admin" bench "$work/bench" --goods 200 --customers 20 --suppliers 10 --lines 500 --ledger-rows 2000 2>&1)
rc=$?
[[ $rc -eq 0 ]] || { echo "FAIL: bench exited $rc: $bench"; failures=$((failures + 1)); }
for row in "打开商品档案(200 种商品)" 商品档案点击标题按名称排序 一种商品的保管帐和销售明细帐 \
           "入库汇总 Q1" "入库汇总 Q2" "入库汇总 Q3" "出库汇总 C1" "出库汇总 C2" "出库汇总 C3" "出库汇总 C4" \
           收款汇总 付款汇总 打开商品库存查询 商品库存查询移到下一种商品 "100 行入库单记帐" "100 行出库单记帐" \
           "帐套一致性检查(0 处问题)" "月末数据处理(含数据库备份)" "常驻内存 VmRSS"; do
    [[ "$bench" == *"$row"* ]] || { echo "FAIL: the bench table has no row '$row': $bench"; failures=$((failures + 1)); }
done
expect 2 "性能测试需要一个空目录" "$admin" bench "$work/bench" --goods 200
expect 2 "--lines 需要一个正整数" "$admin" bench --lines 0
expect 2 "--goods 需要一个正整数" "$admin" bench --goods
expect 2 "用法" "$admin" bench --rows 5
expect 2 "用法" "$admin" bench "$work/b1" "$work/b2"

# A book appears only when it is complete: an init stopped half-way (here by
# the file size limit) leaves no DbVexa.mdb, and a failure leaves no file at all.
mkdir "$work/cut"
{ (ulimit -f 40; "$admin" init "$work/cut" --admin-password pw >/dev/null 2>&1); } 2>/dev/null
[[ -e "$work/cut/DATA/DbVexa.mdb" ]] && { echo "FAIL: a stopped init left a book"; failures=$((failures + 1)); }
expect 0 "已建立数据库" "$admin" init "$work/cut" --admin-password pw
mkdir "$work/full"
(trap '' XFSZ; ulimit -f 40; "$admin" init "$work/full" --admin-password pw >/dev/null 2>&1)
[[ -z "$(ls -A "$work/full/DATA")" ]] || { echo "FAIL: a failed init left $(ls "$work/full/DATA")"; failures=$((failures + 1)); }

[[ $failures -eq 0 ]] && echo "all admin tool checks passed"
exit $failures
