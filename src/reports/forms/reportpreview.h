// ReportPreview: the prepared pages on screen, with zoom, save as PDF, print, find and close.
#pragma once

#include "reports/reportengine.h"

#include <QDialog>

class QLabel;
class QScrollArea;
class QVBoxLayout;
class Prompter;

class ReportPreview : public QDialog {
    Q_OBJECT
public:
    ReportPreview(const reports::PreparedReport& pages, Prompter& prompter, QWidget* parent = nullptr);

    void setZoom(double percent);
    // Shows the next page holding the text; false (with a message) when none does.
    bool findText(const QString& text);
    bool saveAsPdf(const QString& file);
    int currentPage() const { return current_; }

private:
    void showPages();
    const reports::PreparedReport& pages_;
    Prompter& prompter_;
    QScrollArea* scroll_;
    QWidget* sheet_;
    QVBoxLayout* sheetLayout_;
    QList<QLabel*> pageLabels_;
    double zoom_ = 100;
    int current_ = 0;
    bool searched_ = false;  // find next goes on after the page last found
};
