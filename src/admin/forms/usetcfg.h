// Tfrmsetcfg: the user-settings dialog (company data, counters, sizes, the two INI switches).
#pragma once

#include <QDialog>
#include <QHash>

#include "shell/appcontext.h"

class QCheckBox;
class FieldEdit;

class Tfrmsetcfg : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmsetcfg(const AppContext& context, QWidget* parent = nullptr);

    QCheckBox* printRule;       // "单据必须先记帐才能打印"
    QCheckBox* salesPriceRule;  // "商品销售价格允许修改"

    // OK: the INI switches written and in effect at once, the row saved.
    // False (the dialog stays open) when a box or the save is refused.
    bool save();
    // Cancel or the close box: the row's changes are discarded.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Refuses a whole number the box's column cannot hold, naming the box;
    // the focus stays in the box.
    bool withinRange(FieldEdit* edit);

    // The whole numbers a box's column holds, and the box's caption to name it by.
    struct Range {
        QString caption;
        qint64 lowest, highest;
    };

    Tfdbm& dbm_;
    Session& session_;
    Prompter& prompter_;
    QList<FieldEdit*> edits_;
    QHash<FieldEdit*, Range> ranges_;
};
