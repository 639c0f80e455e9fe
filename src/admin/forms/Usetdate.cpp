#include "admin/forms/Usetdate.h"

#include <QDateEdit>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

Tfrmsetsysdate::Tfrmsetsysdate(const QDate& businessDate, std::function<void(const QString&)> setActivity,
                               QWidget* parent)
    : QDialog(parent), setActivity_(std::move(setActivity)) {
    setObjectName("frmsetsysdate");
    setWindowTitle("设置系统数据处理日期...");
    ndate = new QDateEdit(businessDate, this);
    ndate->setObjectName("ndate");
    ndate->setDisplayFormat("yyyy年M月d日");
    ndate->setCalendarPopup(true);
    auto* ok = new QPushButton("确定[&K]", this);
    ok->setObjectName("btnok");
    ok->setDefault(true);
    auto* cancel = new QPushButton("取消[&C]", this);
    cancel->setObjectName("btncancel");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("改变当前业务处理日期为:", this));
    layout->addWidget(ndate);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
}

bool Tfrmsetsysdate::event(QEvent* event) {
    if (setActivity_ && event->type() == QEvent::WindowActivate) setActivity_("设置系统处理月份.");
    if (setActivity_ && event->type() == QEvent::WindowDeactivate) setActivity_("Quorvel商业信息系统");
    return QDialog::event(event);
}
