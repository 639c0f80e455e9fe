#include "shell/forms/commandregistry.h"

#include "shell/appcontext.h"
#include "shell/forms/umain.h"
#include "shell/prompter.h"
#include "shell/udbm.h"

void CommandRegistry::bind(const QString& command, Action action, CommandGuards guards) {
    entries_.insert(command, {std::move(action), std::move(guards)});
}

void CommandRegistry::bindChild(const QString& command, const QString& key,
                                std::function<ChildWindow*(const AppContext&)> create, CommandGuards guards) {
    bind(
        command, [key, create = std::move(create)](Tfrmmain& main) {
            main.showChild(key, [&main, &create] { return create(main.context()); });
        },
        std::move(guards));
}

void CommandRegistry::run(const QString& command, Tfrmmain& main) const {
    const auto found = entries_.constFind(command);
    if (found == entries_.constEnd()) return;
    const CommandGuards& g = found->guards;
    const AppContext& context = main.context();
    if (!g.whenChildrenOpen.isEmpty() && main.childCount() > 0) {
        context.prompter.message(g.whenChildrenOpen);
        return;
    }
    if (!g.question.isEmpty() && !context.prompter.question(g.question)) return;
    if (!g.workLog.isEmpty()) context.dbm.writeWorkLog(g.workLog);
    found->action(main);
    if (g.refreshWorkState) main.refreshWorkState();
}
