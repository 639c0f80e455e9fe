#include "admin/forms/ushut.h"

#include "shell/forms/dialogbuttons.h"
#include "shell/prompter.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

Tfrmshut::Tfrmshut(Prompter& prompter, sessionend::Runner run, QWidget* parent)
    : QDialog(parent), prompter_(prompter), run_(std::move(run)) {
    setObjectName("frmshut");
    setWindowTitle("关闭 Windows....");
    choice = new QComboBox(this);
    choice->setObjectName("ComboBox1");
    for (const sessionend::Choice& c : sessionend::choices()) choice->addItem(c.caption);
    hint = new QLabel(this);
    hint->setObjectName("Label2");
    auto showHint = [this](int index) { hint->setText(sessionend::choices().value(index).hint); };
    connect(choice, &QComboBox::currentIndexChanged, this, showHint);
    choice->setCurrentIndex(0);
    showHint(0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("希望计算机做什么？", this));
    layout->addWidget(choice);
    layout->addWidget(hint);
    layout->addLayout(okCancelButtons(this, [this] { confirm(); }));
}

// The system decides whether this user may: no privilege is taken beforehand.
void Tfrmshut::confirm() {
    const sessionend::Choice& c = sessionend::choices().at(std::max(0, choice->currentIndex()));
    if (!prompter_.confirm(c.question)) return;
    if (!sessionend::request(c.action, run_)) prompter_.message(c.refused);
}
