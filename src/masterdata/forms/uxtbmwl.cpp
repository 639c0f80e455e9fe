#include "masterdata/forms/uxtbmwl.h"

namespace {
const PartyWindowKind kCustomers{"frmxtBmWl", "往来客户基础信息录入....", "ABMK", "进行单位往来信息维护....",
                                 "单位往来信息表", "负责人", "联系电话", false, true};
}

TfrmxtBmWl::TfrmxtBmWl(const AppContext& context, QWidget* parent) : PartyWindow(kCustomers, context, parent) {}
