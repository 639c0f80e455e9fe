#include "masterdata/forms/uxtgys.h"

namespace {
const PartyWindowKind kSuppliers{"frmxtGys", "供应商基础信息录入....", "AGYS", "进行供货单位信息维护....",
                                 "供货单位往来信息表", "联系人", "电话", true, false};
}

TfrmxtGys::TfrmxtGys(const AppContext& context, QWidget* parent) : PartyWindow(kSuppliers, context, parent) {}
