// ReportDesigner: the template on a page at scale, for moving the logo or
// widening a column: select, move and resize objects with the mouse or the
// arrow keys, add and delete texts, lines and rectangles, edit an object's
// expression, format, font and alignment, change band heights and the page,
// preview with the window's data and save back to the same file.
#pragma once

#include "reports/reportengine.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGraphicsScene;
class QGraphicsView;
class QLineEdit;
class Prompter;

class ReportDesigner : public QDialog {
    Q_OBJECT
public:
    ReportDesigner(const QString& file, reports::ReportTemplate report, reports::DataSources sources,
                   Prompter& prompter, QWidget* parent = nullptr);
    ~ReportDesigner() override;

    const reports::ReportTemplate& report() const { return report_; }
    bool modified() const { return modified_; }
    bool save();
    // Selects an object by band and position in its band (-1: nothing).
    void select(int band, int object);
    // Moves the selected object by millimetres (the arrow keys: 0.5 mm).
    void moveSelected(double dx, double dy);
    void resizeSelected(double dw, double dh);
    void addObject(reports::ReportObject::Kind kind);
    void deleteSelected();
    void preview();

    static constexpr double kPixelsPerMm = 4;
    // Closing: with unsaved changes, asks whether to save them first.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class DesignerItem;
    void rebuild();
    void showProperties();
    void applyProperties();
    void objectMoved(int band, int object, const QPointF& topLeftMm);
    void objectResized(int band, int object, const QSizeF& sizeMm);
    double bandTop(int band) const;
    reports::ReportObject* selectedObject();

    QString file_;
    reports::ReportTemplate report_;
    reports::DataSources sources_;
    Prompter& prompter_;
    bool modified_ = false;
    int band_ = -1, object_ = -1;
    bool updating_ = false;

    QGraphicsScene* scene_;
    QGraphicsView* view_;
    QLineEdit* expression_;
    QLineEdit* format_;
    QDoubleSpinBox *x_, *y_, *w_, *h_, *fontSize_, *bandHeight_;
    QCheckBox* bold_;
    QComboBox* align_;
    QComboBox* paper_;
    QComboBox* font_;
    QList<QDoubleSpinBox*> margins_;
    QCheckBox* landscape_;
};
