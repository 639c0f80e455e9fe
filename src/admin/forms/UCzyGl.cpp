#include "admin/forms/UCzyGl.h"

#include "dataaware/fieldeditors.h"
#include "grid/forms/datagrid.h"
#include "shell/forms/buttonrow.h"
#include "shell/forms/entermovesfocus.h"
#include "shell/forms/umain.h"
#include "shell/prompter.h"
#include "shell/udbm.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

Tfxtczygl::Tfxtczygl(const AppContext& context, std::function<void(const QString&)> setActivity, QWidget* parent)
    : QDialog(parent), dbczqx(context.dbm.dbapp), rules(dbczqx, context.prompter), setActivity_(std::move(setActivity)) {
    setObjectName("xtczygl");
    setWindowTitle("Quorvel商业信息系统....");
    dbczqx.setTable("Aczqx", "Aczqx#PX");
    dbczqx.open();

    auto* record = new QGroupBox("项目信息[&1]", this);
    grid = new DataGrid(dbczqx, context.prompter, record);
    grid->setObjectName("dbg01");
    grid->addColumn("logname", "登陆名", 90);
    grid->addColumn("name", "姓名", 90);
    grid->addColumn("opstate", "状态", 50);
    grid->setReadOnly(true);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);

    logname = new FieldEdit(dbczqx, "logname", context.prompter, record);
    logname->setObjectName("Edit_logname");
    name = new FieldEdit(dbczqx, "name", context.prompter, record);
    name->setObjectName("Edit_name");
    password = new QLineEdit(record);
    password->setObjectName("Edit_pwd");
    EnterMovesFocus::install({logname, name, password});
    connect(password, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!rules.typePassword(text)) showPassword();
    });
    auto* boxes = new QFormLayout;
    boxes->addRow("操作员登录名", logname);
    boxes->addRow("操作员姓名", name);
    boxes->addRow("操作员口令", password);
    auto* recordLayout = new QHBoxLayout(record);
    recordLayout->addWidget(grid, 1);
    recordLayout->addLayout(boxes, 1);

    auto* rights = new QGroupBox("操作员操作权限[&2]", this);
    R1 = new FieldCheckBox("日常业务处理", dbczqx, "R1", rights);
    R1->setObjectName("R1");
    R16 = new FieldCheckBox("系统管理员权限", dbczqx, "R16", rights);
    R16->setObjectName("R16");
    auto* rightsLayout = new QHBoxLayout(rights);
    rightsLayout->addWidget(R1);
    rightsLayout->addWidget(R16);
    rightsLayout->addStretch();

    auto* row = new ButtonRow(this);
    auto browsing = [this] { return !dbczqx.isEditing(); };
    auto add = [&](const char* objectName, const char* caption, std::function<void()> action, std::function<bool()> enabled,
                   ButtonRow::TypedText typed = ButtonRow::TypedText::Keep) {
        buttons_.append({row->add(objectName, caption, std::move(action), typed), std::move(enabled)});
    };
    add("btnPrior", "上一条[&P]", [this] { dbczqx.prior(); }, [this] { return dbczqx.position() > 0; });
    add("btnNext", "下一条[&N]", [this] { dbczqx.next(); },
        [this] { return dbczqx.position() + 1 < dbczqx.recordCount(); });
    add("btnInsert", "增加[&I]",
        [this] {
            setKeysOpen(true);
            if (dbczqx.insert()) logname->setFocus();
        },
        browsing);
    add("btnDelete", "删除[&L]", [this] { dbczqx.remove(); }, [this] { return !dbczqx.isEmpty(); });
    add("btnSave", "保存[&O]", [this] { dbczqx.post(); }, [this] { return dbczqx.isEditing(); });
    add("btnCancel", "取消[&C]", [this] { dbczqx.cancel(); }, [this] { return dbczqx.isEditing(); },
        ButtonRow::TypedText::Drop);
    row->add("btnClose", "返回[&X]", [this] { close(); }, ButtonRow::TypedText::Drop);
    row->addStretch();

    // A saved row's login name and password are shown, not typed into, until the next insert.
    dbczqx.hooks.afterPost = [this] { setKeysOpen(false); };
    auto follow = [this] {
        showPassword();
        enableButtons();
    };
    connect(&dbczqx, &RowSet::currentChanged, this, follow);
    connect(&dbczqx, &RowSet::stateChanged, this, follow);
    connect(&dbczqx, &RowSet::reset, this, follow);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(record, 1);
    layout->addLayout(row);
    layout->addWidget(rights);
    setKeysOpen(true);
    enableButtons();
    resize(760, 460);
    setWindowState(Qt::WindowMaximized);
}

Tfxtczygl::~Tfxtczygl() { dbczqx.close(); }

void Tfxtczygl::setKeysOpen(bool open) {
    keysOpen_ = open;
    logname->setReadOnly(!open);
    showPassword();
}

// The stored password is a hash: it is never shown, only that there is one.
// What is typed shows in clear for a new operator, as stars for an existing one.
void Tfxtczygl::showPassword() {
    if (rules.passwordTyped()) return;
    const bool inserting = dbczqx.state() == RowSet::State::Insert;
    const bool stored = !inserting && !dbczqx.value("pwd").toString().isEmpty();
    const QSignalBlocker quiet(password);
    password->setReadOnly(!keysOpen_);
    password->clear();
    if (keysOpen_) {
        password->setEchoMode(inserting ? QLineEdit::Normal : QLineEdit::Password);
        password->setPlaceholderText(stored ? OperatorRules::kPasswordShown : "");
    } else {
        password->setEchoMode(QLineEdit::Normal);
        password->setPlaceholderText({});
        if (stored) password->setText(OperatorRules::kPasswordShown);
    }
}

void Tfxtczygl::enableButtons() {
    for (const auto& [button, enabled] : buttons_) button->setEnabled(enabled());
}

void Tfxtczygl::done(int result) {
    if (!finishPendingEdits(this, true) || !dbczqx.endEditing()) return;
    if (setActivity_) setActivity_(Tfrmmain::kReady);
    QDialog::done(result);
}

bool Tfxtczygl::event(QEvent* event) {
    if (setActivity_ && event->type() == QEvent::WindowActivate) setActivity_("系统操作员变更.");
    if (setActivity_ && event->type() == QEvent::WindowDeactivate) setActivity_(Tfrmmain::kReady);
    return QDialog::event(event);
}
