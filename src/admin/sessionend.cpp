#include "admin/sessionend.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

namespace sessionend {

const QList<Choice>& choices() {
    static const QList<Choice> list = {
        {Action::PowerOff, "关机", "结束会话并关闭Windows,这样就\n可以安全地关闭电源了。", "是否要关闭计算机?",
         "不能正常关闭计算机!"},
        {Action::LogOff, "注销", "结束会话, 在完全耗电状态下运\n行计算机。", "是否要注销当前登录用户?",
         "不能注销当前登录用户!"},
        {Action::Restart, "重新启动", "结束会话, 关闭Windows,重新启\n动计算机。", "是否要重新启动计算机?",
         "不能重新启动计算机!"},
    };
    return list;
}

Runner systemRunner() {
    return [](const QString& program, const QStringList& arguments) {
        const QString path = QStandardPaths::findExecutable(program);
        return !path.isEmpty() && QProcess::execute(path, arguments) == 0;
    };
}

QList<QStringList> requests(Action action, const QString& sessionId, const QString& user) {
    switch (action) {
    case Action::PowerOff: return {{"systemctl", "poweroff"}};
    case Action::Restart: return {{"systemctl", "reboot"}};
    case Action::LogOff: {
        QList<QStringList> list;
        if (!sessionId.isEmpty()) list.append(QStringList{"loginctl", "terminate-session", sessionId});
        list.append(QStringList{"gnome-session-quit", "--logout", "--no-prompt"});
        list.append(QStringList{"xfce4-session-logout", "--logout"});
        if (!user.isEmpty()) list.append(QStringList{"loginctl", "terminate-user", user});
        return list;
    }
    }
    return {};
}

bool request(Action action, const Runner& run) {
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QStringList& command : requests(action, environment.value("XDG_SESSION_ID"), environment.value("USER")))
        if (run(command.first(), command.mid(1))) return true;
    return false;
}

}  // namespace sessionend
