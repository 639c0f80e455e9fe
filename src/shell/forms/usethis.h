// TfrmSetHis: the period dialog of the history-data mode — which month's
// copy of the book to look at.
#pragma once

#include <QDialog>

class QSpinBox;

class TfrmSetHis : public QDialog {
    Q_OBJECT
public:
    // Preset to the business year and month.
    TfrmSetHis(int year, int month, QWidget* parent = nullptr);

    QSpinBox* spyy;
    QSpinBox* spmm;
};
