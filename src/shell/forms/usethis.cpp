#include "shell/forms/usethis.h"

#include "shell/forms/dialogbuttons.h"
#include "shell/forms/entermovesfocus.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

TfrmSetHis::TfrmSetHis(int year, int month, QWidget* parent) : QDialog(parent) {
    setObjectName("frmSetHis");
    setWindowTitle("请指定要查询的数据期间....");
    auto spin = [this](const char* name, int from, int to, int value) {
        auto* box = new QSpinBox(this);
        box->setObjectName(name);
        box->setRange(from, to);
        box->setValue(value);
        return box;
    };
    spyy = spin("spyy", 1900, 3000, year);
    spmm = spin("spmm", 1, 12, month);
    auto* period = new QHBoxLayout;
    period->addWidget(new QLabel("要查询", this));
    period->addWidget(spyy);
    period->addWidget(new QLabel("年", this));
    period->addWidget(spmm);
    period->addWidget(new QLabel("月", this));
    period->addWidget(new QLabel("的数据", this));
    EnterMovesFocus::install({spyy, spmm});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(period);
    layout->addLayout(okCancelButtons(this, [this] { accept(); }));
    setFixedSize(sizeHint());
}
