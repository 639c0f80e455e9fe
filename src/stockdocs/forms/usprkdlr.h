// Tfrmsprkdlr: stock-in document entry — goods received from a supplier.
#pragma once

#include "documents/forms/documentwindow.h"

class Tfrmsprkdlr : public DocumentWindow {
    Q_OBJECT
public:
    explicit Tfrmsprkdlr(const AppContext& context, QWidget* parent = nullptr);
    QString activityText() const override { return "商品入库业务"; }

protected:
    bool pickParty() override;
    void showFindDialog() override;
};
