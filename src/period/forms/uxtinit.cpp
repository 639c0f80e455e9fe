#include "period/forms/uxtinit.h"

#include "period/datainit.h"
#include "shell/udbm.h"

namespace {

using period::DataInitialisation;

QStringList captions() {
    QStringList out;
    for (const auto& item : DataInitialisation::items()) out.append(item.caption);
    return out;
}

}  // namespace

Tfrmxtinit::Tfrmxtinit(const AppContext& context, QWidget* parent)
    : CheckListDialog(context, "进行系统数据初始处理....", "请指定要清空的内容", captions(),
                      {DataInitialisation::kQuestion, "正在进行系统数据清空处理，请等待....", DataInitialisation::kDone,
                       [context](const QList<int>& ticked) { DataInitialisation::run(context.dbm.dbapp, ticked); }},
                      parent) {
    setObjectName("frmxtinit");
}
