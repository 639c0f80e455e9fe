#include "admin/forms/Usetdate.h"

#include "shell/forms/dialogbuttons.h"

#include <QDateEdit>
#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

Tfrmsetsysdate::Tfrmsetsysdate(const QDate& businessDate, std::function<void(const QString&)> setActivity,
                               QWidget* parent)
    : QDialog(parent), setActivity_(std::move(setActivity)) {
    setObjectName("frmsetsysdate");
    setWindowTitle("设置系统数据处理日期...");
    ndate = new QDateEdit(businessDate, this);
    ndate->setObjectName("ndate");
    ndate->setDisplayFormat("yyyy年M月d日");
    ndate->setCalendarPopup(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("改变当前业务处理日期为:", this));
    layout->addWidget(ndate);
    layout->addLayout(okCancelButtons(this, [this] { accept(); }));
}

bool Tfrmsetsysdate::event(QEvent* event) {
    if (setActivity_ && event->type() == QEvent::WindowActivate) setActivity_("设置系统处理月份.");
    if (setActivity_ && event->type() == QEvent::WindowDeactivate) setActivity_("Quorvel商业信息系统");
    return QDialog::event(event);
}
