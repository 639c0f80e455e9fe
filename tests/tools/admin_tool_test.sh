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
expect 2 "目录不存在" "$admin" init "$work/missing" --admin-password pw
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
expect 2 "没有这个操作员" "$admin" passwd "$work" nobody pw2
expect 0 "口令已更改" "$admin" passwd "$work" ADMIN pw2

expect 0 "口令:" "$admin" demo "$work/demo"
expect 0 "8" "$admin" sql "$work/demo" "select sly from system"
expect 0 "XZ001" "$admin" sql "$work/demo" "select spbm from aspkm where spbm = 'xz001'"
expect 2 "数据库已经存在" "$admin" demo "$work/demo"

[[ $failures -eq 0 ]] && echo "all admin tool checks passed"
exit $failures
