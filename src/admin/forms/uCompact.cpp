#include "admin/forms/uCompact.h"

#include "admin/compaction.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

TfrmCompact::TfrmCompact(const AppContext& context, QWidget* parent) : QDialog(parent), context_(context) {
    setObjectName("frmCompact");
    setWindowTitle("Quorvel商业信息系统...");
    auto* text = new QPlainTextEdit(this);
    text->setObjectName("Memo1");
    text->setReadOnly(true);
    text->setPlainText("　　是否确定要进行系统数据库压缩\n处理?\n　　进行系统数据库压缩，可以提高\n"
                       "系统运行效率，并能够减少系统磁盘\n空间占用。");
    text->setStyleSheet("QPlainTextEdit { background: #c0c0c0; }");
    text->setFocusPolicy(Qt::NoFocus);
    text->setFixedSize(300, 110);
    auto* ok = new QPushButton("确定[&K]", this);
    ok->setObjectName("btnok");
    ok->setDefault(true);
    auto* cancel = new QPushButton("取消[&C]", this);
    cancel->setObjectName("btncancel");
    connect(ok, &QPushButton::clicked, this, &TfrmCompact::compact);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(buttons);
    adjustSize();
    // Centred on the desktop.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmCompact::compact() {
    compaction::compact(context_.dbm, context_.prompter);
    accept();
}
