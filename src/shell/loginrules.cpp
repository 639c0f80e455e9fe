#include "shell/loginrules.h"

#include "database/passwordhash.h"
#include "shell/prompter.h"
#include "shell/session.h"
#include "shell/udbm.h"

LoginRules::Outcome LoginRules::checkPassword(const QString& loginName, const QString& password,
                                              const QDate& businessDate) {
    Outcome outcome = Outcome::Succeeded;
    const QList<QVariantList> rows = dbm_.dbapp.rows(
        "select logname, name, pwd, R1, R2, R3, R4, R5, R6, R7, R8, R9, R10, R11, R12, R13, R14, R15, R16 "
        "from Aczqx where logname = :logname",
        {{"logname", loginName}});
    const QString failed = "有人试图以登录名:" + loginName + " 登录失败";
    if (rows.isEmpty()) {
        prompter_.message(Prompter::lines("登录名或口令错误!!!", "您不能对本系统进行操作！"));
        dbm_.writeWorkLog(loginName, "未知", failed);
        outcome = Outcome::UnknownName;
    } else if (!passwords::verify(password, rows[0][2].toString())) {
        prompter_.message(Prompter::lines("登陆名口令输入错误!!!", "您不能对本系统进行操作！"));
        dbm_.writeWorkLog(loginName, "未知", failed);
        outcome = Outcome::WrongPassword;
    } else {
        const QVariantList& row = rows[0];
        std::array<bool, 16> rights{};
        for (int r = 0; r < 16; ++r) rights[r] = row[3 + r].toBool();
        session_.setOperator(row[0].toString(), row[1].toString(), rights);
        if (session_.mayWork()) {
            setLoggedInState(true);
            dbm_.writeWorkLog("登录进入本系统");
        } else {
            session_.setLoggedIn(false);
            prompter_.message(kNoRight);
            outcome = Outcome::NoRight;
        }
    }
    session_.setBusinessDate(businessDate);
    return outcome;
}

void LoginRules::setLoggedInState(bool on) {
    dbm_.dbapp.exec("update Aczqx set opstate = :on where logname = :logname",
                    {{"on", on}, {"logname", session_.loginName()}});
}

void LoginRules::logout() {
    session_.setLoggedIn(false);
    setLoggedInState(false);
    prompter_.message("您已经注销!您必须重新登录才能使用本系统");
}

void LoginRules::markLoggedOut() { setLoggedInState(false); }

void LoginRules::changePassword() {
    dbm_.writeWorkLog("修改系统登录口令");
    const QList<QVariantList> rows =
        dbm_.dbapp.rows("select pwd from Aczqx where logname = :logname", {{"logname", session_.loginName()}});
    if (rows.isEmpty()) {
        prompter_.message("没有登录，无法修改口令....");
        return;
    }
    const QString storedHash = rows[0][0].toString();  // an empty column reads as empty text
    const QString old = prompter_.inputPassword("请输入您的老口令:");
    // An operator without a password answers with an empty box.
    const bool oldMatches = storedHash.isEmpty() ? old.isEmpty() : passwords::verify(old, storedHash);
    if (!oldMatches) {
        prompter_.message(Prompter::lines("对不起，您没有记住您的老口令,", "您必须输入正确的老口令才能进行口令修改!"));
        return;
    }
    const QString fresh = prompter_.inputPassword("请输入您的新口令:");
    const QString confirmed = prompter_.inputPassword("请确认的新口令:");
    if (fresh != confirmed) {
        prompter_.message(Prompter::lines("对不起，新口令两次输入不一致,", "当前口令修改无效!"));
        return;
    }
    if (fresh.trimmed().isEmpty()) {
        prompter_.message("用户口令必须设置,不能为空!");
        prompter_.message("本次口令修改无效!");
        return;
    }
    dbm_.dbapp.exec("update Aczqx set pwd = :pwd where logname = :logname",
                    {{"pwd", passwords::hash(fresh)}, {"logname", session_.loginName()}});
    prompter_.message(Prompter::lines("口令修改成功,", "请牢记您的新登录口令!"));
}
