#include "masterdata/forms/masterdatacommands.h"

#include "masterdata/forms/Uxtdmwh.h"
#include "masterdata/forms/uxtSpbm.h"
#include "masterdata/forms/uxtbmwl.h"
#include "masterdata/forms/uxtgys.h"
#include "shell/forms/commandregistry.h"

void registerMasterDataCommands(CommandRegistry& registry) {
    registry.bindWindow<Tfrmxtdmwh>("alxtdmwh", {.workLog = "进行系统代码维护"});
    registry.bindWindow<TfrmxtSpbm>("alxtYpDm", {.workLog = "进行商品编码维护"});
    registry.bindWindow<TfrmxtBmWl>("alXtBmk");
    registry.bindWindow<TfrmxtGys>("alXtGys");
}
