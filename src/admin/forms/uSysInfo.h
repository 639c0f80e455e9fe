// TfrmSysInfo: the system-information box the about box opens.
#pragma once

#include "admin/systeminfo.h"

#include <QDialog>

class QLabel;

class TfrmSysInfo : public QDialog {
    Q_OBJECT
public:
    TfrmSysInfo(const QString& workingDirectory, const systeminfo::Facts& facts, QWidget* parent = nullptr);

    QLabel* lines;
};
