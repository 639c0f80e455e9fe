// Tfrmspckdlr: stock-out document entry — goods sold and delivered to a
// customer, or sold over the counter to the walk-in customer.
#pragma once

#include "documents/forms/documentwindow.h"

class FieldComboBox;

class Tfrmspckdlr : public DocumentWindow {
    Q_OBJECT
public:
    explicit Tfrmspckdlr(const AppContext& context, QWidget* parent = nullptr);
    QString activityText() const override { return "商品销售发货"; }

    FieldComboBox* SKFS = nullptr;  // the way of sale

protected:
    bool pickParty() override;
    void showFindDialog() override;
    bool goodsEditButton() const override { return false; }

private:
    void followCustomer();
};
