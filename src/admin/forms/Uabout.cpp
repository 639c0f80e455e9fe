#include "admin/forms/Uabout.h"

#include "admin/forms/uSysInfo.h"
#include "shell/forms/artwork.h"
#include "shell/forms/umain.h"
#include "shell/session.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

Tfrmabout::Tfrmabout(const Session& session, std::function<void(const QString&)> setActivity, QWidget* parent)
    : QDialog(parent), session_(session), setActivity_(std::move(setActivity)) {
    setObjectName("frmabout");
    setWindowTitle("关于....");
    auto* icon = new QLabel(this);
    icon->setPixmap(artwork::programIcon().pixmap(48, 48));
    auto* title = new QLabel("Quorvel商业信息系统", this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    title->setFont(big);
    operatorLine = new QLabel("当前操作员姓名:" + session.operatorName() + ",登录名:" + session.loginName(), this);
    operatorLine->setObjectName("Label3");
    programPath = new QLabel(this);
    programPath->setObjectName("Label4");
    dataPath = new QLabel(this);
    dataPath->setObjectName("Label5");
    auto* ok = new QPushButton("确定[O&K]", this);
    ok->setObjectName("btnok");
    ok->setDefault(true);
    auto* info = new QPushButton("系统信息", this);
    info->setObjectName("btninfo");
    info->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(info, &QPushButton::clicked, this, [this] {
        TfrmSysInfo box(session_.workingDirectory(), systeminfo::read(), this);
        box.exec();
    });

    auto* head = new QHBoxLayout;
    head->addWidget(icon);
    head->addWidget(title, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(info);
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addSpacing(8);
    layout->addWidget(operatorLine);
    layout->addWidget(programPath);
    layout->addWidget(dataPath);
    layout->addSpacing(8);
    layout->addLayout(buttons);
}

bool Tfrmabout::event(QEvent* event) {
    if (event->type() == QEvent::Show) {
        programPath->setText("系统可执行程序路径：" + session_.workingDirectory());
        dataPath->setText("系统数据路径：" + session_.workingDirectory());
    }
    if (setActivity_ && event->type() == QEvent::WindowActivate) setActivity_("关于本系统....");
    if (setActivity_ && event->type() == QEvent::WindowDeactivate) setActivity_(Tfrmmain::kReady);
    return QDialog::event(event);
}
