#include "period/forms/perioddialog.h"

#include "period/routine.h"
#include "shell/prompter.h"
#include "shell/session.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

PeriodDialog::PeriodDialog(const AppContext& context, const QString& caption, QWidget* parent)
    : QDialog(parent), context_(context) {
    setWindowTitle(caption);
    btnok = new QPushButton("确定[&K]", this);
    btnok->setObjectName("btnok");
    btnok->setDefault(true);
    btncancel = new QPushButton("取消[&C]", this);
    btncancel->setObjectName("btncancel");
    connect(btnok, &QPushButton::clicked, this, [this] {
        process();
        accept();
    });
    connect(btncancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    body_ = new QVBoxLayout;
    layout->addLayout(body_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnok);
    buttons->addWidget(btncancel);
    layout->addLayout(buttons);
}

void PeriodDialog::addLabel(const QString& text) { body_->addWidget(new QLabel(text, this)); }

void PeriodDialog::addBusinessDate() {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("当前业务日期为:", this));
    auto* date = new QLabel(context_.session.businessDate().toString("yyyy-MM-dd"), this);
    date->setObjectName("lblDate");
    row->addWidget(date);
    row->addStretch();
    body_->addLayout(row);
}

bool PeriodDialog::behindWaitBox(const QString& waitText, const std::function<void()>& work) {
    Prompter& prompter = context_.prompter;
    prompter.showWaitBox(waitText);
    try {
        work();
    } catch (const period::Stopped& stopped) {
        prompter.hideWaitBox();
        prompter.message(stopped.text());
        return false;
    } catch (...) {
        prompter.hideWaitBox();
        throw;
    }
    prompter.hideWaitBox();
    return true;
}

CheckListDialog::CheckListDialog(const AppContext& context, const QString& caption, const QString& groupTitle,
                                 const QStringList& items, Routine routine, QWidget* parent)
    : PeriodDialog(context, caption, parent), routine_(std::move(routine)) {
    btnAll = new QPushButton("全部选择", this);
    btnAll->setObjectName("btnAll");
    btnNone = new QPushButton("全部清除", this);
    btnNone->setObjectName("btnNone");
    connect(btnAll, &QPushButton::clicked, this, [this] { checkAll(true); });
    connect(btnNone, &QPushButton::clicked, this, [this] { checkAll(false); });
    auto* group = new QGroupBox(groupTitle, this);
    auto* groupLayout = new QVBoxLayout(group);
    auto* selectRow = new QHBoxLayout;
    selectRow->addWidget(btnAll);
    selectRow->addWidget(btnNone);
    selectRow->addStretch();
    groupLayout->addLayout(selectRow);
    CheckListBox1 = new QListWidget(group);
    CheckListBox1->setObjectName("CheckListBox1");
    for (const QString& text : items) {
        auto* item = new QListWidgetItem(text, CheckListBox1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    CheckListBox1->setCurrentRow(0);
    // Every item in sight, none behind a scroll bar.
    CheckListBox1->setMinimumHeight(CheckListBox1->sizeHintForRow(0) * CheckListBox1->count()
                                    + 2 * CheckListBox1->frameWidth() + 4);
    groupLayout->addWidget(CheckListBox1);
    body()->addWidget(group);
}

QList<int> CheckListDialog::checkedItems() const {
    QList<int> out;
    for (int i = 0; i < CheckListBox1->count(); ++i)
        if (CheckListBox1->item(i)->checkState() == Qt::Checked) out.append(i);
    return out;
}

void CheckListDialog::process() {
    Prompter& prompter = context_.prompter;
    if (!prompter.question(routine_.question)) return;
    if (behindWaitBox(routine_.waitText, [this] { routine_.run(checkedItems()); })) prompter.message(routine_.done);
}

void CheckListDialog::checkAll(bool on) {
    for (int i = 0; i < CheckListBox1->count(); ++i)
        CheckListBox1->item(i)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}
