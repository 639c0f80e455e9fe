#include "moneydocs/forms/moneydocscommands.h"

#include "moneydocs/forms/moneybrowser.h"
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
    // The history menu's browsers of receipts and payments.
    registry.bindWindow<Tfrmskdcx>("alLsSkd");
    registry.bindWindow<Tfrmfkdcx>("alLsFkd");
}
