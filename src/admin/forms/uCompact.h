// TfrmCompact: the question before compacting the database file.
#pragma once

#include "shell/appcontext.h"

#include <QDialog>

class TfrmCompact : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCompact(const AppContext& context, QWidget* parent = nullptr);

    // 确定[&K]: compacts, tells the outcome and closes.
    void compact();

private:
    AppContext context_;
};
