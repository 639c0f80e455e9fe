#include "admin/forms/uSysInfo.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

TfrmSysInfo::TfrmSysInfo(const QString& workingDirectory, const systeminfo::Facts& facts, QWidget* parent)
    : QDialog(parent) {
    setObjectName("frmSysInfo");
    setWindowTitle("系统信息...");
    auto* group = new QGroupBox("系统:", this);
    lines = new QLabel(systeminfo::lines(facts, workingDirectory).join('\n'), group);
    lines->setObjectName("lines");
    // The memory figures are aligned in columns.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setFamilies({fixed.family(), "Noto Sans Mono CJK SC", "AR PL UMing CN"});
    lines->setFont(fixed);
    lines->setTextInteractionFlags(Qt::TextSelectableByMouse);
    (new QVBoxLayout(group))->addWidget(lines);
    auto* ok = new QPushButton("确定[&K]", this);
    ok->setObjectName("btnok");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
}
