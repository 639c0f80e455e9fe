#include "moneydocs/forms/moneydocscommands.h"

#include "moneydocs/forms/moneydocumentwindow.h"
#include "moneydocs/forms/moneysummarywindows.h"
#include "moneydocs/forms/uOrders.h"
#include "shell/forms/commandregistry.h"
#include "shell/forms/umain.h"

void registerMoneyDocsCommands(CommandRegistry& registry) {
    registry.bindWindow<Tfrmskdlr>("alYwQzHs");
    registry.bindWindow<Tfrmfkdlr>("alywfkdlr");
    registry.bindWindow<TfrmOrders>("alywDdLr");
    registry.bind("alcxhzskd", [](Tfrmmain& main) { Tfrmhzskd(main.context(), &main).exec(); });
    registry.bind("alcxhzfkd", [](Tfrmmain& main) { Tfrmhzfkd(main.context(), &main).exec(); });
}
