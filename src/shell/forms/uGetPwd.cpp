#include "shell/forms/uGetPwd.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfGetPwd::TfGetPwd(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("fGetPwd");
    setWindowTitle("Quorvel商业信息系统");
    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setEchoMode(QLineEdit::Password);
    Edit1->setMaxLength(12);
    auto* ok = new QPushButton("确定[O&K]", this);
    ok->setObjectName("Button1");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(Label1);
    layout->addWidget(Edit1);
    layout->addWidget(ok, 0, Qt::AlignRight);
    setFixedWidth(280);
}

QString TfGetPwd::ask(const QString& prompt) {
    Label1->setText(prompt);
    Edit1->clear();
    Edit1->setFocus();
    exec();
    return Edit1->text();
}
