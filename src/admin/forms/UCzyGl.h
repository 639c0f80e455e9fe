// Tfxtczygl: the administrator's operator list — login names, names, initial
// passwords and the two rights the system consults.
#pragma once

#include "admin/operatorrules.h"
#include "database/rowset.h"
#include "shell/appcontext.h"

#include <QDialog>

#include <functional>

class DataGrid;
class FieldCheckBox;
class FieldEdit;
class QLineEdit;
class QPushButton;

class Tfxtczygl : public QDialog {
    Q_OBJECT
public:
    // setActivity writes the main window's status panel 1.
    Tfxtczygl(const AppContext& context, std::function<void(const QString&)> setActivity, QWidget* parent = nullptr);
    ~Tfxtczygl() override;

    RowSet dbczqx;
    OperatorRules rules;
    DataGrid* grid;
    FieldEdit* logname;
    FieldEdit* name;
    QLineEdit* password;
    FieldCheckBox* R1;
    FieldCheckBox* R16;

    // Login name and password can be typed into: from opening until the
    // first save, and again from each insert until its save.
    bool keysOpen() const { return keysOpen_; }

    // Closing saves what was typed; a refused save keeps the dialog open.
    void done(int result) override;

protected:
    bool event(QEvent* event) override;

private:
    void setKeysOpen(bool open);
    void showPassword();
    void enableButtons();

    std::function<void(const QString&)> setActivity_;
    bool keysOpen_ = true;
    QList<QPair<QPushButton*, std::function<bool()>>> buttons_;  // with when each is enabled
};
