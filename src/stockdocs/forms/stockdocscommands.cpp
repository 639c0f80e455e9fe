#include "stockdocs/forms/stockdocscommands.h"

#include "shell/forms/commandregistry.h"
#include "stockdocs/forms/uspckdlr.h"
#include "shell/forms/umain.h"
#include "stockdocs/forms/uhzrkd.h"
#include "stockdocs/forms/usprkdcx.h"
#include "stockdocs/forms/usprkdlr.h"

void registerStockDocsCommands(CommandRegistry& registry) {
    registry.bindWindow<Tfrmsprkdlr>("alYwYpRk");
    registry.bindWindow<Tfrmspckdlr>("alYwYpCk");
    registry.bind("alcxHzrkd", [](Tfrmmain& main) {
        Tfrmhzrkd dialog(main.context(), &main);
        dialog.exec();
    });
    registry.bind("alcxhzckd", [](Tfrmmain& main) {
        Tfrmhzckd dialog(main.context(), &main);
        dialog.exec();
    });
    registry.bindWindow<Tfrmsprkdcx>("alLsRkd");
    registry.bindWindow<Tfrmspckdcx>("alLsCkd");
}
