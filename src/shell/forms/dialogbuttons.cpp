#include "shell/forms/dialogbuttons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

QHBoxLayout* okCancelButtons(QDialog* dialog, std::function<void()> ok) {
    auto* okButton = new QPushButton("确定[&K]", dialog);
    okButton->setObjectName("btnok");
    okButton->setDefault(true);
    auto* cancel = new QPushButton("取消[&C]", dialog);
    cancel->setObjectName("btncancel");
    QObject::connect(okButton, &QPushButton::clicked, dialog, std::move(ok));
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancel);
    return buttons;
}
