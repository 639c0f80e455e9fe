// The period routines from the command line, through the same services and
// checks as the windows: a shop can script its month. The invocation is the
// routine's confirmation; a question it would ask that has no option here is
// answered No.
#include "period/datainit.h"
#include "period/ledgergeneration.h"
#include "period/monthend.h"
#include "period/monthstart.h"
#include "period/routine.h"
#include "period/tidyup.h"
#include "shell/session.h"
#include "shell/udbm.h"
#include "tools/admintool.h"

#include <QDate>
#include <QSet>

namespace {

// The work log names the tool as the one who did it.
constexpr const char* kToolLogin = "tool";
constexpr const char* kToolName = "管理工具";

struct Invocation {
    QString directory;
    QDate date;
    QSet<QString> flags;
};

// Bad input: one line, exit 2, nothing opened.
struct BadInput {
    QString line;
};

Invocation parse(const QStringList& args, bool needsDate, const QStringList& allowedFlags) {
    if (args.isEmpty() || args[0].startsWith("--")) throw BadInput{"缺少工作目录"};
    Invocation call{args[0], {}, {}};
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--date" && needsDate) {
            if (i + 1 >= args.size()) throw BadInput{"--date 后面缺少日期(YYYY-MM-DD)"};
            call.date = QDate::fromString(args[++i], "yyyy-MM-dd");
            if (!call.date.isValid()) throw BadInput{QString("日期无效(应为 YYYY-MM-DD): %1").arg(args[i])};
        } else if (allowedFlags.contains(args[i]) && !call.flags.contains(args[i])) {
            call.flags.insert(args[i]);
        } else {
            throw BadInput{QString("不认识的参数: %1").arg(args[i])};
        }
    }
    if (needsDate && !call.date.isValid()) throw BadInput{"缺少 --date YYYY-MM-DD(业务日期)"};
    return call;
}

// What a stopped routine says: its lines, and for a failure the engine's text.
int stopped(const period::Stopped& s, QTextStream& err) {
    for (const QString& line : s.lines) err << line << '\n';
    if (!s.detail.isEmpty()) err << s.detail << '\n';
    return s.kind == period::Stopped::Kind::Refused ? 2 : 1;
}

class Book {
public:
    explicit Book(const QString& directory) : session_(directory), dbm_(session_) { dbm_.open(); }
    Database& db() { return dbm_.dbapp; }
    QString directory() const { return session_.workingDirectory(); }
    void writeWorkLog(const QString& text) { dbm_.writeWorkLog(kToolLogin, kToolName, text); }

private:
    Session session_;
    Tfdbm dbm_;
};

int monthEnd(const Invocation& call, QTextStream& out, QTextStream& err) {
    Book book(call.directory);
    period::MonthEnd monthEnd(book.db(), book.directory(), call.date);
    if (const QStringList refusal = monthEnd.refusal(); !refusal.isEmpty())
        throw period::Stopped(period::Stopped::Kind::Refused, refusal);
    const bool withBackup = !monthEnd.backupExists() || call.flags.contains("--overwrite-backup");
    monthEnd.run(withBackup);
    if (withBackup) out << "数据库备份: " << monthEnd.backupPath() << '\n';
    else out << "本月数据备份文件已经存在,没有覆盖: " << monthEnd.backupPath() << '\n';
    out << period::MonthEnd::kDone << '\n';
    return 0;
}

int monthStart(const Invocation& call, QTextStream& out, QTextStream&) {
    Book book(call.directory);
    period::MonthStart monthStart(book.db(), call.date);
    monthStart.run(call.flags.contains("--clear-documents"));
    out << period::MonthStart::kDone << '\n';
    return 0;
}

int startWork(const Invocation& call, QTextStream& out, QTextStream&) {
    Book book(call.directory);
    // As from the menu: logged before any check, a refusal included.
    book.writeWorkLog(period::StartOfWork::kWorkLog);
    period::StartOfWork(book.db()).run(call.flags.contains("--yes"));
    out << period::StartOfWork::kDone << '\n';
    return 0;
}

int ledgers(const Invocation& call, QTextStream& out, QTextStream&) {
    using period::LedgerGeneration;
    QList<LedgerGeneration::Ledger> chosen;
    if (call.flags.contains("--goods")) chosen.append(LedgerGeneration::Goods);
    if (call.flags.contains("--customers")) chosen.append(LedgerGeneration::Customers);
    if (call.flags.contains("--suppliers")) chosen.append(LedgerGeneration::Suppliers);
    Book book(call.directory);
    LedgerGeneration::run(book.db(), call.date, chosen);
    out << LedgerGeneration::kDone << '\n';
    return 0;
}

int tidy(const Invocation& call, QTextStream& out, QTextStream&) {
    Book book(call.directory);
    period::DataTidyUp::run(book.db());
    out << period::DataTidyUp::kDone << '\n';
    return 0;
}

struct Verb {
    const char* name;
    bool needsDate;
    QStringList flags;
    int (*run)(const Invocation&, QTextStream&, QTextStream&);
};

const QList<Verb>& verbs() {
    static const QList<Verb> all = {
        {"month-end", true, {"--overwrite-backup"}, monthEnd},
        {"month-start", true, {"--clear-documents"}, monthStart},
        {"start-work", false, {"--yes"}, startWork},
        {"ledgers", true, {"--goods", "--customers", "--suppliers"}, ledgers},
        {"tidy", false, {}, tidy},
    };
    return all;
}

}  // namespace

bool isPeriodCommand(const QString& command) {
    for (const Verb& verb : verbs())
        if (command == verb.name) return true;
    return false;
}

int runPeriodCommand(const QString& command, const QStringList& args, QTextStream& out, QTextStream& err) {
    for (const Verb& verb : verbs()) {
        if (command != verb.name) continue;
        try {
            return verb.run(parse(args, verb.needsDate, verb.flags), out, err);
        } catch (const BadInput& bad) {
            err << bad.line << '\n';
            return 2;
        } catch (const period::Stopped& s) {
            return stopped(s, err);
        }
    }
    return 2;
}
