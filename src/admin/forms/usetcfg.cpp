#include "admin/forms/usetcfg.h"

#include "dataaware/fieldeditors.h"
#include "database/schema.h"
#include "shell/forms/entermovesfocus.h"
#include "shell/prompter.h"
#include "shell/session.h"
#include "shell/udbm.h"

#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <limits>
#include <optional>

namespace {

// The range of a Short or Long column of the System row. The engine refuses a
// number outside it only when the row is saved, naming no box.
std::optional<std::pair<qint64, qint64>> integerRange(const QString& column) {
    for (const schema::Column& c : schema::findTable("System")->columns) {
        if (c.name.compare(column, Qt::CaseInsensitive) != 0) continue;
        if (c.type == schema::JetType::Short) return {{std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()}};
        if (c.type == schema::JetType::Long) return {{std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()}};
    }
    return std::nullopt;
}

}  // namespace

Tfrmsetcfg::Tfrmsetcfg(const AppContext& context, QWidget* parent)
    : QDialog(parent), dbm_(context.dbm), session_(context.session), prompter_(context.prompter) {
    Tfdbm& dbm = dbm_;
    Session& session = session_;
    Prompter& prompter = prompter_;
    setObjectName("frmsetcfg");
    setWindowTitle("Quorvel商业信息系统...");
    RowSet& config = dbm.config;
    config.refresh();

    auto edit = [&](const char* field, const QString& caption) {
        auto* e = new FieldEdit(config, field, prompter, this);
        e->setObjectName(QString("Edit_") + field);
        EnterMovesFocus::install({e});
        edits_.append(e);
        if (const auto range = integerRange(field)) {
            ranges_.insert(e, {caption, range->first, range->second});
            e->installEventFilter(this);
        }
        return e;
    };

    auto* company = new QGroupBox("用户信息", this);
    auto* companyForm = new QFormLayout(company);
    const QList<QPair<const char*, const char*>> companyFields = {
        {"名称", "ANAME"}, {"地址", "ADDRESS"}, {"电话", "TELNO"}, {"传真", "FAXNO"}, {"联系人", "LXRY"}, {"邮编", "ZIPCODE"}};
    for (const auto& [label, field] : companyFields) {
        FieldEdit* e = edit(field, label);
        e->setMinimumWidth(240);
        companyForm->addRow(label, e);
    }

    auto* counters = new QGroupBox("单据编号", this);
    auto* counterForm = new QFormLayout(counters);
    const QList<QPair<const char*, const char*>> counterFields = {{"当前最后入库单号：", "Ykrkdh"},
                                                                  {"当前最后出库单号：", "ykckdh"},
                                                                  {"当前最后收款单号：", "ykskdh"},
                                                                  {"当前最后付款单号：", "YKFKDH"},
                                                                  {"当前最后定单号：", "LastOrder"}};
    for (const auto& [label, field] : counterFields)
        counterForm->addRow(label, edit(field, QString(label).chopped(1)));  // named without the "："
    auto* dateEditable = new FieldCheckBox("单据日期可以修改", config, "DjRqEdit", this);
    dateEditable->setObjectName("DjRqEdit");
    counterForm->addRow(dateEditable);

    auto* sizes = new QGroupBox("尺码表示[&1]", this);
    auto* sizeGrid = new QGridLayout(sizes);
    const QStringList labels = schema::sizeSlotColumns("S");
    for (int i = 0; i < labels.size(); ++i) {
        const QString letter(QChar('A' + i));
        auto* e = edit(qPrintable(labels[i]), letter);
        e->setMaximumWidth(70);
        sizeGrid->addWidget(new QLabel(letter, sizes), i / 4, (i % 4) * 2);
        sizeGrid->addWidget(e, i / 4, (i % 4) * 2 + 1);
    }
    auto* sly = new FieldSpinBox(config, "SLY", 0, 16, this);
    sly->setObjectName("SLY");
    sizeGrid->addWidget(new QLabel("尺码种类:", sizes), 4, 0, 1, 2);
    sizeGrid->addWidget(sly, 4, 2, 1, 2);

    printRule = new QCheckBox("单据必须先记帐才能打印", this);
    printRule->setObjectName("printRule");
    printRule->setChecked(session.settings.printRule);
    salesPriceRule = new QCheckBox("商品销售价格允许修改", this);
    salesPriceRule->setObjectName("salesPriceRule");
    salesPriceRule->setChecked(session.settings.salesPriceRule);

    auto* ok = new QPushButton("确定[&K]", this);
    ok->setObjectName("btnok");
    auto* cancel = new QPushButton("取消[&C]", this);
    cancel->setObjectName("btncancel");
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, [this] {
        if (save()) accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* left = new QVBoxLayout;
    left->addWidget(company);
    left->addWidget(printRule);
    left->addWidget(salesPriceRule);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(counters);
    right->addWidget(sizes);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
}

bool Tfrmsetcfg::eventFilter(QObject* watched, QEvent* event) {
    // Leaving the box for another control of the dialog, not for another window.
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            withinRange(static_cast<FieldEdit*>(watched));
    }
    return QDialog::eventFilter(watched, event);
}

bool Tfrmsetcfg::withinRange(FieldEdit* edit) {
    const auto range = ranges_.constFind(edit);
    if (range == ranges_.constEnd()) return true;
    bool isNumber = false;
    const qint64 value = edit->text().trimmed().toLongLong(&isNumber);
    // Not a whole number at all: the box's own refusal says so.
    if (!isNumber || (value >= range->lowest && value <= range->highest)) return true;
    prompter_.message(QString("'%1' 超出%2的范围").arg(edit->text(), range->caption));
    QTimer::singleShot(0, edit, [edit] { edit->setFocus(); });
    return false;
}

bool Tfrmsetcfg::save() {
    for (FieldEdit* e : edits_)
        if (!withinRange(e) || !e->commit()) return false;
    if (!SystemSettings::saveRules(session_.workingDirectory(), printRule->isChecked(), salesPriceRule->isChecked())) {
        prompter_.message("无法写入 SYS_VEXA.INI");
        return false;
    }
    session_.settings.printRule = printRule->isChecked();
    session_.settings.salesPriceRule = salesPriceRule->isChecked();
    RowSet& config = dbm_.config;
    if (!config.isEditing()) return true;
    try {
        return config.post();
    } catch (const DbError& e) {
        prompter_.message(e.message());
        return false;
    }
}

void Tfrmsetcfg::reject() {
    dbm_.config.cancel();
    QDialog::reject();
}
