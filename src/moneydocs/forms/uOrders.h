// TfrmOrders: purchase orders — goods ordered from a supplier by package
// and size; kept and printed, never posted.
#pragma once

#include "documents/forms/documentwindow.h"

class TfrmOrders : public DocumentWindow {
    Q_OBJECT
public:
    explicit TfrmOrders(const AppContext& context, QWidget* parent = nullptr);
    QString activityText() const override { return "制作商品定单"; }

protected:
    bool pickParty() override;
    void showFindDialog() override;
    bool goodsEditButton() const override { return false; }
};
