#include "admin/forms/usetwall.h"

#include "shell/prompter.h"
#include "shell/session.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

Tfrmsetwall::Tfrmsetwall(const AppContext& context, QWidget* parent)
    : QDialog(parent), session_(context.session), prompter_(context.prompter) {
    Session& session = session_;
    setObjectName("frmsetwall");
    setWindowTitle("Quorvel商业信息系统...");
    auto* note = new QLabel("文件必须为合法的 BMP格式文件.\n文件名为空则显示默认图形.", this);
    note->setStyleSheet("color: maroon");
    Edit1 = new QLineEdit(SystemSettings::load(session.workingDirectory()).wallpaper, this);
    Edit1->setObjectName("Edit1");
    auto* search = new QToolButton(this);
    search->setObjectName("btnsearch");
    search->setText("...");
    search->setToolTip("查找....");
    auto* ok = new QPushButton("确定[&K]", this);
    ok->setObjectName("btnok");
    connect(search, &QToolButton::clicked, this, [this] {
        if (const auto file = prompter_.chooseOpenFile({"图片文件 (*.bmp *.png *.jpg *.jpeg *.gif)", "所有文件 (*)"}))
            Edit1->setText(*file);
    });
    connect(ok, &QPushButton::clicked, this, [this] {
        save();
        accept();
    });
    auto* row = new QHBoxLayout;
    row->addWidget(Edit1, 1);
    row->addWidget(search);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(new QLabel("请指定背景图片文件", this));
    layout->addLayout(row);
    layout->addWidget(ok, 0, Qt::AlignRight);
    setMinimumWidth(420);
}

void Tfrmsetwall::save() {
    if (!SystemSettings::saveWallpaper(session_.workingDirectory(), Edit1->text())) {
        prompter_.message("无法写入 SYS_VEXA.INI");
        return;
    }
    prompter_.message(Prompter::lines("系统桌面背景图形设置完毕，", "你必须重新启动程序才能使设置生效！"));
}
