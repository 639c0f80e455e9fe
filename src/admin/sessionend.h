// Ending the desktop session from the program: powering off, logging off or
// restarting, asked of the system's session services.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace sessionend {

enum class Action { PowerOff, LogOff, Restart };

// One entry of the shutdown dialog's list.
struct Choice {
    Action action;
    const char* caption;
    const char* hint;      // two lines
    const char* question;  // OK/Cancel
    const char* refused;   // the system said no
};
const QList<Choice>& choices();

// Runs a program and tells whether it did what was asked (exit code 0).
using Runner = std::function<bool(const QString& program, const QStringList& arguments)>;
Runner systemRunner();

// The requests tried for an action, in order, until one is granted: the
// system manager for power, the login manager or the desktop's session
// manager for the session. sessionId and user come from the environment.
QList<QStringList> requests(Action action, const QString& sessionId, const QString& user);

// Asks the system for the action; false when every request was refused.
bool request(Action action, const Runner& run);

}  // namespace sessionend
