#include "period/monthstart.h"

#include "period/routine.h"

namespace period {

QString MonthStart::refusal() { return workState(db_) == "2" ? QString() : QString(kNoMonthEnd); }

void MonthStart::run(bool clearDocuments) {
    QStringList statements{"update aspkm set byrksl=0,bycksl=0,byxsje=0", "update abmk set byjf=0,bydf=0",
                           "update agys set byjf=0,bydf=0"};
    if (startsYear())
        statements += {"update aspkm set bnrksl=0,bncksl=0,ncsl=kcsl,byxsje=0,bnxsje=0",
                       "update abmk set bnjf=0,bndf=0,ncye=jyje", "update agys set bnjf=0,bndf=0,ncye=jyje"};
    if (clearDocuments)
        statements += {"delete from asprkd where bzw='3' or bzw='4'", "delete from asprkdd where bzw='3' or bzw='4'",
                       "delete from aspckd where bzw='3' or bzw='4'", "delete from aspckdd where bzw='3' or bzw='4'",
                       "delete from askd where bzw='3' or bzw='4'",   "delete from afkd where bzw='3' or bzw='4'"};
    try {
        Database::Transaction tx(db_);
        // Asked inside the unit, so that two runs cannot both pass.
        if (const QString refused = refusal(); !refused.isEmpty()) throw Stopped(Stopped::Kind::Refused, {refused});
        for (const QString& sql : statements) db_.exec(sql);
        setWorkState(db_, "0");
        tx.commit();
    } catch (const DbError& e) {
        throw Stopped(Stopped::Kind::Failed, {kNotCompleted}, e.message());
    }
}

QString StartOfWork::state() { return workState(db_); }

QString StartOfWork::refusal() { return state() == "1" ? QString(kAlreadyWorking) : QString(); }

void StartOfWork::run(bool evenFromMonthEnd) {
    try {
        Database::Transaction tx(db_);
        const QString now = state();
        if (now == "1") throw Stopped(Stopped::Kind::Refused, {kAlreadyWorking});
        if (now == "2" && !evenFromMonthEnd) throw Stopped(Stopped::Kind::Refused, monthStartSkippedWarning());
        setWorkState(db_, "1");
        tx.commit();
    } catch (const DbError& e) {
        throw Stopped(Stopped::Kind::Failed, {"系统开工未能完成!"}, e.message());
    }
}

}  // namespace period
