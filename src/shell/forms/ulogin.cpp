#include "shell/forms/ulogin.h"

#include "shell/forms/entermovesfocus.h"
#include "shell/loginrules.h"
#include "shell/prompter.h"
#include "shell/session.h"

#include <QDateEdit>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {
const char* kLongDate = "yyyy年M月d日";
}

Tfrmlogin::Tfrmlogin(LoginRules& rules, Session& session, Prompter& prompter,
                     std::function<void(const QString&)> setActivity, QWidget* parent)
    : QDialog(parent), rules_(rules), session_(session), prompter_(prompter), setActivity_(std::move(setActivity)) {
    prompter_.showWaitBox("正在处理登录脚本，请等待...");
    setObjectName("frmlogin");
    setWindowTitle("Quorvel商业信息系统");

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName("Edit2");
    Edit2->setEchoMode(QLineEdit::Password);
    Edit2->setMaxLength(12);
    mdate = new QDateEdit(this);
    mdate->setObjectName("mdate");
    mdate->setDisplayFormat(kLongDate);
    mdate->setEnabled(false);
    picksysdate = new QDateEdit(this);
    picksysdate->setObjectName("picksysdate");
    picksysdate->setDisplayFormat(kLongDate);
    picksysdate->setCalendarPopup(true);
    Button1 = new QPushButton("确定[O&K]", this);
    Button1->setObjectName("Button1");
    Button2 = new QPushButton("取消[&C]", this);
    Button2->setObjectName("Button2");

    auto* form = new QFormLayout;
    form->addRow("登  录  名:", Edit1);
    form->addRow("登录口令:", Edit2);
    form->addRow("当前机器日期", mdate);
    form->addRow("数据处理日期", picksysdate);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setFixedWidth(340);

    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, picksysdate);
    setTabOrder(picksysdate, Button1);
    setTabOrder(Button1, Button2);
    EnterMovesFocus::install({Edit1, Edit2, mdate, picksysdate});

    connect(Button1, &QPushButton::clicked, this, &Tfrmlogin::checkPassword);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void Tfrmlogin::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* screen = QGuiApplication::primaryScreen()) move(screen->geometry().center() - rect().center());
    Edit1->clear();
    Edit2->clear();
    Edit1->setFocus();
    picksysdate->setDate(session_.businessDate());
    mdate->setDate(QDate::currentDate());
    prompter_.hideWaitBox();
}

bool Tfrmlogin::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && setActivity_) setActivity_("系统注册与登录.");
    if (event->type() == QEvent::WindowDeactivate && setActivity_) setActivity_("Quorvel商业信息系统. 系统就绪.");
    return QDialog::event(event);
}

void Tfrmlogin::checkPassword() {
    succeeded_ = rules_.checkPassword(Edit1->text(), Edit2->text(), picksysdate->date()) ==
                 LoginRules::Outcome::Succeeded;
    done(succeeded_ ? Accepted : Rejected);
}

bool RunLogin(LoginRules& rules, Session& session, Prompter& prompter,
              std::function<void(const QString&)> setActivity, QWidget* parent) {
    Tfrmlogin dialog(rules, session, prompter, std::move(setActivity), parent);
    dialog.exec();
    return dialog.succeeded();
}
