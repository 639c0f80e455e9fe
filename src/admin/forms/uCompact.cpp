#include "admin/forms/uCompact.h"

#include "admin/compaction.h"
#include "shell/forms/dialogbuttons.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QVBoxLayout>
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
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(okCancelButtons(this, [this] { compact(); }));
    adjustSize();
    // Centred on the desktop.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmCompact::compact() {
    compaction::compact(context_.dbm, context_.prompter);
    accept();
}
