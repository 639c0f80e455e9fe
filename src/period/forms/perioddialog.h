// PeriodDialog: the small modal dialogs of the period routines — a caption,
// a label or two, "确定[&K]" that runs the routine and then closes the dialog
// whatever came of it, "取消[&C]" that closes it with nothing done.
// CheckListDialog adds a list of items to tick, with "全部选择" and "全部清除".
#pragma once

#include "shell/appcontext.h"

#include <QDialog>

#include <functional>

class QListWidget;
class QPushButton;
class QVBoxLayout;

class PeriodDialog : public QDialog {
    Q_OBJECT
public:
    PeriodDialog(const AppContext& context, const QString& caption, QWidget* parent = nullptr);

    QPushButton* btnok;
    QPushButton* btncancel;

protected:
    // The routine behind "确定[&K]".
    virtual void process() = 0;

    void addLabel(const QString& text);
    // "当前业务日期为:" and the business date in the short date form.
    void addBusinessDate();
    QVBoxLayout* body() const { return body_; }

    // Runs `work` behind the wait box; a routine that stopped is told by its
    // message. True when it ran to its end.
    bool behindWaitBox(const QString& waitText, const std::function<void()>& work);

    AppContext context_;

private:
    QVBoxLayout* body_;
};

class CheckListDialog : public PeriodDialog {
    Q_OBJECT
public:
    // What OK does: asks `question` again, then runs `run` over the ticked
    // items behind the wait box and says `done`.
    struct Routine {
        QString question, waitText, done;
        std::function<void(const QList<int>& ticked)> run;
    };
    // The items start unticked.
    CheckListDialog(const AppContext& context, const QString& caption, const QString& groupTitle,
                    const QStringList& items, Routine routine, QWidget* parent = nullptr);

    QListWidget* CheckListBox1;
    QPushButton* btnAll;   // "全部选择"
    QPushButton* btnNone;  // "全部清除"

    // The ticked items' positions, in the list's order.
    QList<int> checkedItems() const;

protected:
    void process() override;

private:
    void checkAll(bool on);
    Routine routine_;
};
