// CommandRegistry: what the main window's commands do, bound by the subsystem
// that owns each window. The main window keeps only where a command sits and
// what it says; a new window adds one line to its subsystem's registration.
#pragma once

#include <QHash>
#include <QString>

#include <functional>

class ChildWindow;
class Tfrmmain;
struct AppContext;

// What the command table asks before a command runs, and after.
struct CommandGuards {
    QString whenChildrenOpen = {};  // refused with this message while any child window is open
    QString question = {};          // asked first (Yes/No); No does nothing
    QString workLog = {};           // written to the work log before the command runs
    bool refreshWorkState = false;  // afterwards the daily-business menu follows the work state
};

class CommandRegistry {
public:
    using Action = std::function<void(Tfrmmain&)>;

    void bind(const QString& command, Action action, CommandGuards guards = {});
    // A child window the command opens: one instance, brought to the front
    // while it is open, keyed by its class name.
    template <typename Window>
    void bindWindow(const QString& command, CommandGuards guards = {}) {
        bindChild(command, Window::staticMetaObject.className(),
                  [](const AppContext& context) -> ChildWindow* { return new Window(context); }, std::move(guards));
    }
    void bindChild(const QString& command, const QString& key, std::function<ChildWindow*(const AppContext&)> create,
                   CommandGuards guards = {});

    bool has(const QString& command) const { return entries_.contains(command); }
    QStringList commands() const { return entries_.keys(); }
    // The guards in their order, then the action.
    void run(const QString& command, Tfrmmain& main) const;

private:
    struct Entry {
        Action action;
        CommandGuards guards;
    };
    QHash<QString, Entry> entries_;
};

// Binds a subsystem's commands; the program calls one function that calls them all.
using CommandRegistration = std::function<void(CommandRegistry&)>;
