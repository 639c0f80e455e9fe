#include "reports/forms/reportdesigner.h"

#include "reports/forms/reportpreview.h"
#include "reports/forms/templateprinting.h"
#include "shell/forms/buttonrow.h"
#include "shell/prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGraphicsRectItem>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QShortcut>

using reports::Band;
using reports::ReportObject;

// One object of the template on the designer's page; dragging it moves the object.
class DesignerItem : public QGraphicsRectItem {
public:
    DesignerItem(ReportDesigner* designer, int band, int object, const QRectF& rect)
        : QGraphicsRectItem(rect), designer_(designer), band_(band), object_(object) {
        setFlags(ItemIsSelectable | ItemIsMovable | ItemSendsGeometryChanges);
    }
    int band() const { return band_; }
    int object() const { return object_; }

protected:
    // The bottom-right corner of a selected object is a handle that resizes it.
    bool onHandle(const QPointF& at) const {
        return isSelected() && QLineF(at, rect().bottomRight()).length() <= 6;
    }
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override {
        resizing_ = onHandle(event->pos());
        if (!resizing_) QGraphicsRectItem::mousePressEvent(event);
    }
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override {
        if (!resizing_) return QGraphicsRectItem::mouseMoveEvent(event);
        prepareGeometryChange();
        setRect(QRectF(rect().topLeft(), event->pos()).normalized());
    }
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override {
        if (!resizing_) return QGraphicsRectItem::mouseReleaseEvent(event);
        resizing_ = false;
        designer_->objectResized(band_, object_, rect().size() / ReportDesigner::kPixelsPerMm);
    }
    QVariant itemChange(GraphicsItemChange change, const QVariant& value) override {
        if (change == ItemPositionHasChanged && !designer_->updating_) {
            const QPointF topLeft = mapToScene(rect().topLeft()) / ReportDesigner::kPixelsPerMm;
            designer_->objectMoved(band_, object_, topLeft);
        }
        return QGraphicsRectItem::itemChange(change, value);
    }
    void paint(QPainter* p, const QStyleOptionGraphicsItem*, QWidget*) override {
        const ReportObject& o = designer_->report_.bands[band_].objects[object_];
        const QRectF r = rect();
        p->setPen(QPen(isSelected() ? Qt::blue : Qt::darkGray, isSelected() ? 1.5 : 0.5,
                       o.kind == ReportObject::Kind::Text ? Qt::DotLine : Qt::SolidLine));
        if (o.kind == ReportObject::Kind::Line) p->drawLine(r.topLeft(), r.bottomRight());
        else p->drawRect(r);
        if (o.kind == ReportObject::Kind::Text) {
            QFont font;
            font.setFamilies({o.font, "Noto Serif CJK SC", "Noto Sans CJK SC"});
            font.setPixelSize(std::max(6, int(o.size * 25.4 / 72 * ReportDesigner::kPixelsPerMm)));
            font.setBold(o.bold);
            p->setFont(font);
            p->setPen(Qt::black);
            p->drawText(r, int(o.align) | Qt::AlignVCenter, o.text);
        }
        if (isSelected()) p->fillRect(QRectF(r.bottomRight() - QPointF(4, 4), QSizeF(8, 8)), Qt::blue);
    }
    QRectF boundingRect() const override { return rect().adjusted(-5, -5, 5, 5); }

private:
    ReportDesigner* designer_;
    int band_, object_;
    bool resizing_ = false;
};

ReportDesigner::ReportDesigner(const QString& file, reports::ReportTemplate report, reports::DataSources sources,
                               Prompter& prompter, QWidget* parent)
    : QDialog(parent), file_(file), report_(std::move(report)), sources_(std::move(sources)), prompter_(prompter) {
    setObjectName("frmdesigner");
    setWindowTitle("报表设计 - " + file);
    scene_ = new QGraphicsScene(this);
    view_ = new QGraphicsView(scene_, this);
    view_->setObjectName("designview");
    view_->setBackgroundBrush(QColor(128, 128, 128));
    view_->installEventFilter(this);  // the arrow keys move the selection, not the view
    connect(scene_, &QGraphicsScene::selectionChanged, this, [this] {
        if (updating_) return;
        const auto items = scene_->selectedItems();
        auto* item = items.isEmpty() ? nullptr : dynamic_cast<DesignerItem*>(items.first());
        band_ = item ? item->band() : band_;
        object_ = item ? item->object() : -1;
        showProperties();
    });

    auto* tools = new ButtonRow(this);
    tools->add("btnAddText", "添加文本", [this] { addObject(ReportObject::Kind::Text); });
    tools->add("btnAddLine", "添加直线", [this] { addObject(ReportObject::Kind::Line); });
    tools->add("btnAddRect", "添加矩形", [this] { addObject(ReportObject::Kind::Rect); });
    tools->add("btnDeleteObject", "删除", [this] { deleteSelected(); });
    tools->add("btnPreview", "预览", [this] { preview(); });
    tools->add("btnSave", "保存(Ctrl+S)", [this] { save(); });
    tools->add("btnCloseDesigner", "关闭", [this] { reject(); });
    tools->addStretch();
    new QShortcut(QKeySequence::Save, this, [this] { save(); });

    auto* properties = new QGroupBox("属性", this);
    auto* form = new QFormLayout(properties);
    expression_ = new QLineEdit(properties);
    expression_->setObjectName("expression");
    format_ = new QLineEdit(properties);
    format_->setObjectName("format");
    auto spin = [properties](const char* name, double max) {
        auto* s = new QDoubleSpinBox(properties);
        s->setObjectName(name);
        s->setRange(0, max);
        s->setDecimals(1);
        s->setSingleStep(0.5);
        return s;
    };
    x_ = spin("x", 500);
    y_ = spin("y", 500);
    w_ = spin("w", 500);
    h_ = spin("h", 500);
    fontSize_ = spin("fontSize", 72);
    bandHeight_ = spin("bandHeight", 300);
    bold_ = new QCheckBox("粗体", properties);
    font_ = new QComboBox(properties);
    font_->setObjectName("font");
    font_->setEditable(true);
    font_->addItems({"宋体", "黑体", "楷体", "仿宋"});
    margins_ = {spin("left", 100), spin("top", 100), spin("right", 100), spin("bottom", 100)};
    align_ = new QComboBox(properties);
    align_->addItems({"左对齐", "居中", "右对齐"});
    paper_ = new QComboBox(properties);
    paper_->addItems({"A4", "A5", "B5", "Letter"});
    paper_->setCurrentText(report_.page.paper);
    landscape_ = new QCheckBox("横向", properties);
    landscape_->setChecked(report_.page.landscape);
    form->addRow("内容", expression_);
    form->addRow("格式", format_);
    form->addRow("左(mm)", x_);
    form->addRow("上(mm)", y_);
    form->addRow("宽(mm)", w_);
    form->addRow("高(mm)", h_);
    form->addRow("字体", font_);
    form->addRow("字号", fontSize_);
    form->addRow(bold_);
    form->addRow("对齐", align_);
    form->addRow("区高(mm)", bandHeight_);
    form->addRow("纸张", paper_);
    form->addRow(landscape_);
    const char* const marginLabels[] = {"左边距(mm)", "上边距(mm)", "右边距(mm)", "下边距(mm)"};
    const double marginValues[] = {report_.page.left, report_.page.top, report_.page.right, report_.page.bottom};
    for (int i = 0; i < 4; ++i) {
        margins_[i]->setValue(marginValues[i]);
        form->addRow(marginLabels[i], margins_[i]);
        connect(margins_[i], &QDoubleSpinBox::valueChanged, this, &ReportDesigner::applyProperties);
    }
    for (QLineEdit* e : {expression_, format_}) connect(e, &QLineEdit::editingFinished, this, &ReportDesigner::applyProperties);
    for (QDoubleSpinBox* s : {x_, y_, w_, h_, fontSize_, bandHeight_})
        connect(s, &QDoubleSpinBox::valueChanged, this, &ReportDesigner::applyProperties);
    connect(bold_, &QCheckBox::toggled, this, &ReportDesigner::applyProperties);
    connect(align_, &QComboBox::activated, this, &ReportDesigner::applyProperties);
    connect(font_, &QComboBox::currentTextChanged, this, &ReportDesigner::applyProperties);
    connect(paper_, &QComboBox::activated, this, &ReportDesigner::applyProperties);
    connect(landscape_, &QCheckBox::toggled, this, &ReportDesigner::applyProperties);

    auto* body = new QHBoxLayout;
    body->addWidget(view_, 1);
    body->addWidget(properties);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addLayout(body, 1);
    resize(1100, 760);
    rebuild();
    showProperties();
}

ReportDesigner::~ReportDesigner() {
    // The scene clears its items as it goes; its selection notices must not
    // reach this part of the window, which is gone by then.
    disconnect(scene_, nullptr, this, nullptr);
    updating_ = true;
}

double ReportDesigner::bandTop(int band) const {
    double y = report_.page.top;
    for (int b = 0; b < band; ++b) y += report_.bands[b].height;
    return y;
}

void ReportDesigner::rebuild() {
    updating_ = true;
    scene_->clear();
    const double k = kPixelsPerMm;
    const QSizeF page = report_.page.sizeMm();
    scene_->addRect(QRectF(0, 0, page.width() * k, page.height() * k), QPen(Qt::black), QBrush(Qt::white));
    for (int b = 0; b < report_.bands.size(); ++b) {
        const Band& band = report_.bands[b];
        const QRectF area(report_.page.left * k, bandTop(b) * k,
                          (page.width() - report_.page.left - report_.page.right) * k, band.height * k);
        scene_->addRect(area, QPen(QColor(180, 180, 220), 1, Qt::DashLine), QBrush(QColor(245, 245, 255)));
        auto* label = scene_->addSimpleText(reports::bandTypeName(band.type));
        label->setBrush(QColor(120, 120, 180));
        label->setPos(area.right() + 4, area.top());
        for (int o = 0; o < band.objects.size(); ++o) {
            const ReportObject& object = band.objects[o];
            QRectF r = object.rect;
            if (object.kind == ReportObject::Kind::Line) r = QRectF(r.topLeft(), r.bottomRight());
            auto* item = new DesignerItem(this, b, o, QRectF(0, 0, r.width() * k, r.height() * k));
            item->setPos((report_.page.left + r.x()) * k, (bandTop(b) + r.y()) * k);
            scene_->addItem(item);
            if (b == band_ && o == object_) item->setSelected(true);
        }
    }
    scene_->setSceneRect(QRectF(-20, -20, page.width() * k + 140, page.height() * k + 40));
    updating_ = false;
}

ReportObject* ReportDesigner::selectedObject() {
    if (band_ < 0 || band_ >= report_.bands.size() || object_ < 0 || object_ >= report_.bands[band_].objects.size())
        return nullptr;
    return &report_.bands[band_].objects[object_];
}

void ReportDesigner::showProperties() {
    updating_ = true;
    const ReportObject* o = selectedObject();
    for (QWidget* w : std::initializer_list<QWidget*>{expression_, format_, x_, y_, w_, h_, fontSize_, bold_, align_, font_})
        w->setEnabled(o != nullptr);
    if (o) {
        expression_->setText(o->text);
        format_->setText(o->format);
        x_->setValue(o->rect.x());
        y_->setValue(o->rect.y());
        w_->setValue(o->rect.width());
        h_->setValue(o->rect.height());
        fontSize_->setValue(o->size);
        font_->setCurrentText(o->font);
        bold_->setChecked(o->bold);
        align_->setCurrentIndex(o->align & Qt::AlignHCenter ? 1 : o->align & Qt::AlignRight ? 2 : 0);
    }
    bandHeight_->setEnabled(band_ >= 0 && band_ < report_.bands.size());
    if (bandHeight_->isEnabled()) bandHeight_->setValue(report_.bands[band_].height);
    updating_ = false;
}

void ReportDesigner::applyProperties() {
    if (updating_) return;
    if (ReportObject* o = selectedObject()) {
        o->text = expression_->text();
        o->format = format_->text();
        o->rect = QRectF(x_->value(), y_->value(), w_->value(), h_->value());
        o->size = fontSize_->value();
        o->font = font_->currentText();
        o->bold = bold_->isChecked();
        o->align = align_->currentIndex() == 1 ? Qt::AlignHCenter : align_->currentIndex() == 2 ? Qt::AlignRight : Qt::AlignLeft;
    }
    if (band_ >= 0 && band_ < report_.bands.size()) report_.bands[band_].height = bandHeight_->value();
    report_.page.paper = paper_->currentText();
    report_.page.landscape = landscape_->isChecked();
    report_.page.left = margins_[0]->value();
    report_.page.top = margins_[1]->value();
    report_.page.right = margins_[2]->value();
    report_.page.bottom = margins_[3]->value();
    modified_ = true;
    rebuild();
}

void ReportDesigner::objectMoved(int band, int object, const QPointF& topLeftMm) {
    ReportObject& o = report_.bands[band].objects[object];
    const QPointF inBand(topLeftMm.x() - report_.page.left, topLeftMm.y() - bandTop(band));
    o.rect.moveTopLeft(QPointF(std::round(inBand.x() * 2) / 2, std::round(inBand.y() * 2) / 2));
    modified_ = true;
    if (band == band_ && object == object_) {
        updating_ = true;
        x_->setValue(o.rect.x());
        y_->setValue(o.rect.y());
        updating_ = false;
    }
}

void ReportDesigner::objectResized(int band, int object, const QSizeF& sizeMm) {
    ReportObject& o = report_.bands[band].objects[object];
    o.rect.setSize(QSizeF(std::round(sizeMm.width() * 2) / 2, std::round(sizeMm.height() * 2) / 2));
    modified_ = true;
    QMetaObject::invokeMethod(this, [this] {  // not while the item is still handling its mouse event
        rebuild();
        showProperties();
    }, Qt::QueuedConnection);
}

void ReportDesigner::select(int band, int object) {
    band_ = band;
    object_ = object;
    rebuild();
    showProperties();
}

void ReportDesigner::moveSelected(double dx, double dy) {
    if (ReportObject* o = selectedObject()) {
        o->rect.translate(dx, dy);
        modified_ = true;
        rebuild();
        showProperties();
    }
}

void ReportDesigner::resizeSelected(double dw, double dh) {
    if (ReportObject* o = selectedObject()) {
        o->rect.setWidth(std::max(0.5, o->rect.width() + dw));
        o->rect.setHeight(std::max(0.0, o->rect.height() + dh));
        modified_ = true;
        rebuild();
        showProperties();
    }
}

void ReportDesigner::addObject(ReportObject::Kind kind) {
    if (report_.bands.isEmpty()) return;
    if (band_ < 0 || band_ >= report_.bands.size()) band_ = 0;
    ReportObject o;
    o.kind = kind;
    o.rect = kind == ReportObject::Kind::Line ? QRectF(0, 0, 40, 0) : QRectF(0, 0, 40, 6);
    if (kind == ReportObject::Kind::Text) o.text = "文本";
    report_.bands[band_].objects.append(o);
    object_ = int(report_.bands[band_].objects.size()) - 1;
    modified_ = true;
    rebuild();
    showProperties();
}

void ReportDesigner::deleteSelected() {
    if (!selectedObject()) return;
    report_.bands[band_].objects.removeAt(object_);
    object_ = -1;
    modified_ = true;
    rebuild();
    showProperties();
}

void ReportDesigner::preview() {
    const reports::ReportEngine engine(report_, sources_);
    const reports::PreparedReport pages = engine.prepare();
    const TemplateDocument document(pages);
    ReportPreview window(document, prompter_, this);
    window.exec();
}

bool ReportDesigner::save() {
    if (!reports::saveTemplate(report_, file_)) {
        prompter_.message("报表文件保存失败!");
        return false;
    }
    modified_ = false;
    return true;
}

void ReportDesigner::keyPressEvent(QKeyEvent* event) {
    const double step = 0.5;
    const bool resize = event->modifiers() & Qt::ShiftModifier;
    double dx = 0, dy = 0;
    switch (event->key()) {
    case Qt::Key_Left: dx = -step; break;
    case Qt::Key_Right: dx = step; break;
    case Qt::Key_Up: dy = -step; break;
    case Qt::Key_Down: dy = step; break;
    case Qt::Key_Delete: deleteSelected(); return;
    default: QDialog::keyPressEvent(event); return;
    }
    if (resize) resizeSelected(dx, dy);
    else moveSelected(dx, dy);
}

bool ReportDesigner::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down ||
            key == Qt::Key_Delete) {
            keyPressEvent(static_cast<QKeyEvent*>(event));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ReportDesigner::reject() {
    if (modified_ && prompter_.question("报表样式已经修改，是否保存？") && !save()) return;
    QDialog::reject();
}
