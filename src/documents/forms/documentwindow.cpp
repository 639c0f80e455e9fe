#include "documents/forms/documentwindow.h"

#include "dataaware/fieldeditors.h"
#include "dataaware/pendingedit.h"
#include "database/schema.h"
#include "grid/forms/datagrid.h"
#include "masterdata/forms/picklists.h"
#include "reports/forms/templateprinting.h"
#include "shell/forms/buttonrow.h"
#include "shell/forms/entermovesfocus.h"
#include "shell/inifile.h"
#include "shell/paths.h"
#include "shell/prompter.h"
#include "shell/session.h"
#include "shell/udbm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const char* kPickHint = "鼠标双击或[F2]帮助";
}

DocumentWindow::DocumentWindow(const AppContext& context, const DocumentKind& kind, const Captions& captions,
                               QWidget* parent)
    : ChildWindow(parent), dbm(context.dbm.dbapp), dbd(context.dbm.dbapp), dbspk(context.dbm.dbapp),
      dbkhk(context.dbm.dbapp), context_(context), kind_(kind), captions_(captions) {
    context_.prompter.showWaitBox("正在打开单据,请等待....");
    dbkhk.setTable(kind.partyTable, "bm");
    dbm.setTable(kind.headerTable, "ASPRKD#PX");
    if (!kind.lineTable.isEmpty()) {
        dbspk.setTable("ASPKM", "spbm");
        dbd.setTable(kind.lineTable, "DJHM", QString("DJHM = :%1").arg(kind.numberField));
        dbd.setMaster(&dbm, {kind.numberField});
        addGoodsLookups(dbd, dbspk);
    }
    buildFrame();
}

DocumentWindow::~DocumentWindow() { context_.prompter.hideWaitBox(); }

void DocumentWindow::buildFrame() {
    upper_ = new QGroupBox(captions_.headerGroup, this);
    auto* strip = new ButtonRow(this);
    auto navigate = [&](const char* name, const char* glyph, const char* hint, std::function<void()> action,
                        ButtonRow::TypedText typed = ButtonRow::TypedText::Keep) {
        QPushButton* b = strip->add(name, glyph, std::move(action), typed);
        b->setToolTip(hint);
        b->setFixedWidth(28);
    };
    navigate("nbFirst", "|◀", "第一条单据", [this] { dbm.first(); });
    navigate("nbPrior", "◀", "上一条单据", [this] { dbm.prior(); });
    navigate("nbNext", "▶", "下一条单据", [this] { dbm.next(); });
    navigate("nbLast", "▶|", "最后一条单据", [this] { dbm.last(); });
    navigate("nbInsert", "+", "增加单据[F3]", [this] { newDocument(); });
    navigate("nbDelete", "−", "删除单据....", [this] { dbm.remove(); });
    navigate("nbPost", "✓", "保存单据F4]", [this] { rules_->saveDocument(); });
    navigate("nbCancel", "✗", "取消单据....", [this] { rules_->cancelDocument(); }, ButtonRow::TypedText::Drop);
    strip->addSpacing(12);
    btnpreview = strip->add("btnpreview", "预览", [this] { preview(); });
    btnpreview->setToolTip("打印预览");
    btnprn = strip->add("btnprn", "打印[&R]", [this] { print(); });
    btnprn->setToolTip(captions_.printHint);
    btnLocate = strip->add("btnLocate", captions_.findButton, [this] { find(); });
    if (kind_.post) {
        btnpass = strip->add("btnpass", "记帐", [this] { rules_->post(); });
        btnpass->setToolTip("记帐[F5]");
    }
    QPushButton* design = strip->add("btnRepDesign", "设计报表", [this] { designReport(); });
    design->hide();
    strip->addStretch();

    headerBoxes_ = new QGridLayout;
    ljzbz = new QLineEdit("记帐标志", this);
    ljzbz->setObjectName("ljzbz");
    ljzbz->setReadOnly(true);
    ljzbz->setFocusPolicy(Qt::NoFocus);
    ljzbz->setStyleSheet("QLineEdit { background: #c0c0c0; }");
    auto* upperLayout = new QVBoxLayout(upper_);
    upperLayout->addLayout(strip);
    upperLayout->addLayout(headerBoxes_);

    if (!kind_.lineTable.isEmpty()) {
        lower_ = new QGroupBox(captions_.linesGroup, this);
        auto* lowerLayout = new QVBoxLayout(lower_);
        dbg01 = new DataGrid(dbd, context_.prompter, lower_);
        dbg01->setObjectName("dbg01");
        dbg01->setToolTip(kPickHint);
        dbg01->installEventFilter(this);
        dbg01->viewport()->installEventFilter(this);
        // Entering the lines is the focus coming into the grid from elsewhere
        // in this window: not from its own cell editor, and not back from a
        // message box or another window.
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
            if (now != dbg01 || !old || dbg01->isAncestorOf(old) || old->window() != window()) return;
            enterGrid();
        });
        lowerLayout->addWidget(dbg01, 1);
        auto* lineButtons = new ButtonRow(this);
        lineButtons->add("btnAddLine", "增加分录[&I]", [this] {
            if (rules_->enterLines() && dbd.state() != RowSet::State::Insert) dbd.append();
            dbg01->setFocus();
        });
        lineButtons->add("btnDeleteLine", "删除分录[&L]", [this] { dbd.remove(); });
        lineButtons->add("btnSaveLine", "保存分录[&V]", [this] { dbd.post(); });
        lineButtons->add("btnCancelLine", "取消分录[&C]", [this] { dbd.cancel(); }, ButtonRow::TypedText::Drop);
        lineButtons->addStretch();
        lowerLayout->addLayout(lineButtons);
        // Enter on the goods code: with a code one column on (the usual move
        // makes it two, past the name); without one the line is dropped and
        // the header takes the focus.
        dbg01->beforeEnterMove = [this] {
            const int code = dbg01->columnIndex("Spbm");
            if (dbg01->currentIndex().column() != code) return;
            if (dbd.value("Spbm").toString().isEmpty()) {
                dbd.cancel();
                if (QWidget* box = emptyCodeFocus()) {
                    box->setFocus();
                    if (auto* edit = qobject_cast<QLineEdit*>(box)) edit->selectAll();
                }
                return;
            }
            dbg01->setCurrentIndex(dbg01->model()->index(dbg01->currentIndex().row(), code + 1));
        };
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(upper_);
    if (lower_) layout->addWidget(lower_, 1);
    else layout->addStretch(1);

    auto key = [this](const QKeySequence& sequence, std::function<void()> action, bool keepTyped = true) {
        auto* shortcut = new QShortcut(sequence, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, action, keepTyped] {
            if (finishPendingEdits(this, keepTyped)) action();
        });
    };
    key(Qt::Key_Escape, [this] { rules_->cancelDocument(); }, false);
    key(Qt::Key_F3, [this] { newDocument(); });
    key(Qt::Key_F4, [this] { rules_->saveDocument(); });
    if (kind_.post) key(Qt::Key_F5, [this] { rules_->post(); });
    if (dbg01) key(Qt::Key_F8, [this] { print(); });
}

FieldEdit* DocumentWindow::addHeaderBox(const QString& label, const QString& field, int row, int column, int span) {
    auto* box = new FieldEdit(dbm, field, context_.prompter, upper_);
    addHeaderWidget(label, field, box, row, column, span);
    return box;
}

void DocumentWindow::addHeaderWidget(const QString& label, const QString& field, QWidget* box, int row, int column,
                                     int span) {
    box->setParent(upper_);
    box->setObjectName(field);
    auto* caption = new QLabel(label, upper_);
    caption->setBuddy(box);
    auto* cell = new QHBoxLayout;
    cell->setSpacing(2);
    cell->addWidget(box, 1);
    headerBoxes_->addWidget(caption, row, column * 2, Qt::AlignRight);
    headerBoxes_->addLayout(cell, row, column * 2 + 1, 1, span * 2 - 1);
    if (!boxes_.isEmpty()) setTabOrder(boxes_.last().second, box);
    boxes_.append({field, box});
    boxCells_.insert(box, cell);
}

FieldEdit* DocumentWindow::addPartyBox(const QString& label, const QString& field, int row, int column,
                                       int pickerButtons) {
    FieldEdit* box = addHeaderBox(label, field, row, column);
    choosesParty(box);
    for (const char* name : QList<const char*>{"spdkhk", "spdkhk2"}.mid(0, pickerButtons)) {
        auto* button = new QToolButton(upper_);
        button->setObjectName(name);
        button->setText("…");
        button->setToolTip(kPickHint);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this] { chooseParty(); });
        boxCells_.value(box)->addWidget(button);
    }
    return box;
}

void DocumentWindow::choosesParty(QWidget* box) {
    box->setToolTip(kPickHint);
    box->installEventFilter(this);
    partyBoxes_.append(box);
}

void DocumentWindow::setNoteBox(QWidget* box) {
    noteBox_ = box;
    box->installEventFilter(this);
}

QWidget* DocumentWindow::headerWidget(const QString& field) const {
    for (const auto& [name, box] : boxes_)
        if (name.compare(field, Qt::CaseInsensitive) == 0) return box;
    return nullptr;
}

FieldEdit* DocumentWindow::headerBox(const QString& field) const { return qobject_cast<FieldEdit*>(headerWidget(field)); }

void DocumentWindow::finishLayout(QWidget* lastHeaderBox, QWidget* newDocumentFocus) {
    newDocumentFocus_ = newDocumentFocus;
    lastHeaderBox_ = lastHeaderBox;
    if (kind_.post) {
        headerBoxes_->addWidget(new QLabel("状态", upper_), headerBoxes_->rowCount(), 0, Qt::AlignRight);
        headerBoxes_->addWidget(ljzbz, headerBoxes_->rowCount() - 1, 1);
    } else {
        ljzbz->hide();  // a kind that is never posted has no status to show
    }
    for (const auto& [field, box] : boxes_)
        if (box != lastHeaderBox) EnterMovesFocus::install({box});
    lastHeaderBox->installEventFilter(this);
    if (dbg01) setTabOrder(lastHeaderBox, dbg01);
}

DocumentRules::Context DocumentWindow::rulesContext() const { return DocumentRules::Context::of(context_); }

void DocumentWindow::addGoodsColumns(const QString& totalText) {
    dbg01->addColumn("FLBH", "序号", 40);
    dbg01->addColumn("Spbm", "编码", 90);
    GridColumn& goodsName = dbg01->addColumn("spmc", "商品名称", 130);
    goodsName.dropDownFields = {"Spmc", "ArtNo", "color", "Spbm"};
    goodsName.dropDownRows = 15;
    goodsName.footer = GridColumn::Footer::Text;
    goodsName.footerText = totalText;
    dbg01->addColumn("artno", "货号", 80).readOnly = true;
    dbg01->addColumn("ggxh", "规格型号", 80).readOnly = true;
}

GridColumn& DocumentWindow::addTotalColumn(const QString& field, const QString& title, int width, const char* format) {
    GridColumn& column = dbg01->addColumn(field, title, width);
    column.displayFormat = format;
    column.footer = GridColumn::Footer::Sum;
    column.footerText = format;
    return column;
}

void DocumentWindow::addSizeColumns() {
    for (const QString& slot : schema::sizeSlotColumns("sl")) dbg01->addColumn(slot, slot, 40).displayFormat = kQuantity;
}

void DocumentWindow::openCursors() {
    dbkhk.open();
    if (dbg01) dbspk.open();
    dbm.open();
    if (dbg01) dbd.open();
}

void DocumentWindow::setRules(std::unique_ptr<DocumentRules> rules) {
    rules_ = std::move(rules);
    rules_->view.focusHeaderBox = [this](const QString& field) {
        if (QWidget* box = headerWidget(field)) box->setFocus();
    };
    rules_->view.focusLineColumn = [this](const QString& field) {
        if (dbg01) dbg01->setCurrentIndex(dbg01->model()->index(std::max(0, dbd.position()), dbg01->columnIndex(field)));
    };
    rules_->view.documentShown = [this] { documentShown(); };
    rules_->view.showStatus = [this](const QString& text) {
        ljzbz->setText(text);
        if (dbg01) dbg01->setUpdatesEnabled(text != "正在记帐");
    };
    rules_->install();

    const SizeSlots& sizes = rules_->sizes();
    if (dbg01) {
        dbg01->applySizeSlots("sl", sizes.inUse, sizes.labels);
        dbg01->setFooterVisible(true);
        const IniFile ini(layoutFile());
        dbg01->restoreLayout(ini, captions_.layoutSection, captions_.layoutSortMarkers);
    }
    // The date is the business date unless the book lets documents be dated otherwise.
    if (FieldEdit* date = headerBox("RQ")) date->setReadOnly(!rules_->dateEditable());
    dbm.last();
    documentShown();
    context_.prompter.hideWaitBox();
}

void DocumentWindow::documentShown() {
    ljzbz->setText(rules_->statusText());
    const bool open = !dbm.isEmpty() && !rules_->isFrozen();
    if (btnpass) btnpass->setEnabled(open);
    if (dbg01) {
        dbg01->setUpdatesEnabled(true);  // it stops repainting while a posting runs
        dbg01->setReadOnly(!open);
        dbg01->setEnterMode(open ? DataGrid::EnterMode::NextColumnAppend : DataGrid::EnterMode::Default,
                            dbg01->columnIndex("Spbm"));
    }
}

void DocumentWindow::activated() {
    // Goods and parties added elsewhere meanwhile can be chosen.
    if (dbg01) dbspk.refresh();
    dbkhk.refresh();
}

void DocumentWindow::newDocument() {
    if (!dbm.append()) return;
    if (newDocumentFocus_) {
        newDocumentFocus_->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(newDocumentFocus_)) edit->selectAll();
    }
}

void DocumentWindow::enterGrid() {
    if (enteringGrid_) return;
    enteringGrid_ = true;
    if (rules_->enterLines() && dbg01)
        dbg01->setCurrentIndex(dbg01->model()->index(std::max(0, dbd.position()), dbg01->columnIndex("Spbm")));
    enteringGrid_ = false;
}

bool DocumentWindow::eventFilter(QObject* watched, QEvent* event) {
    const bool onGrid = dbg01 && (watched == dbg01 || watched == dbg01->viewport());
    if (event->type() == QEvent::FocusIn && watched == noteBox_) rules_->noteEntered();
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (key->key() == Qt::Key_F2 && partyBoxes_.contains(watched)) {
            chooseParty();
            return true;
        }
        if (key->key() == Qt::Key_F2 && onGrid) {
            pickGoods();
            return true;
        }
        if (enter && watched == lastHeaderBox_) {
            // The last header box: Enter goes into the lines, or back to the
            // box a new document starts at.
            if (auto* box = qobject_cast<FieldEdit*>(watched); box && !box->commit()) return true;
            if (dbg01) {
                dbg01->setFocus(Qt::TabFocusReason);
            } else if (newDocumentFocus_) {
                newDocumentFocus_->setFocus(Qt::TabFocusReason);
                if (auto* edit = qobject_cast<QLineEdit*>(newDocumentFocus_)) edit->selectAll();
            }
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (partyBoxes_.contains(watched)) {
            chooseParty();
            return true;
        }
        if (onGrid) {
            const QString field = dbg01->currentIndex().isValid() ? dbg01->columns()[dbg01->currentIndex().column()].field : "";
            if (field.compare("Spbm", Qt::CaseInsensitive) == 0 || field.compare("spmc", Qt::CaseInsensitive) == 0) {
                pickGoods();
                return true;
            }
        }
    }
    return ChildWindow::eventFilter(watched, event);
}

void DocumentWindow::chooseParty() {
    if (dbm.isEmpty() || rules_->isFrozen()) return;
    if (!finishPendingEdits(this, true)) return;
    if (!pickParty()) return;
    takePickedCode(dbm, kind_.partyField, dbkhk.value("Bm").toString());
}

void DocumentWindow::pickGoods() {
    if (!dbg01 || dbm.isEmpty() || rules_->isFrozen()) return;
    const QString field = dbg01->currentIndex().isValid() ? dbg01->columns()[dbg01->currentIndex().column()].field : "";
    if (field.compare("Spbm", Qt::CaseInsensitive) != 0 && field.compare("spmc", Qt::CaseInsensitive) != 0) return;
    if (!finishPendingEdits(this, true)) return;
    Tfrmpicksp picker(context_.dbm.dbapp, dbspk, context_.prompter, rules_->sizes().inUse,
                      {.navigator = false, .readOnly = true, .editButton = goodsEditButton()}, this);
    picker.startAt(dbd.value("Spbm").toString());
    if (picker.exec() != QDialog::Accepted) return;
    const QString code = dbspk.value("Spbm").toString();
    if (dbd.isEmpty() && !rules_->enterLines()) return;
    if (!takePickedCode(dbd, "Spbm", code)) context_.prompter.message("编码赋值失败");
}

void DocumentWindow::find() {
    if (!rules_->leaveUnsavedLine()) return;
    showFindDialog();
}

void DocumentWindow::printDocument(bool toPreview) {
    if (!rules_->leaveUnsavedLine()) return;
    TemplatePrintJob job;
    job.file = paths::resolve(context_.session.workingDirectory(), "reports/" + kind_.templateFile);
    job.sources = printSources();
    job.printRuleApplies = captions_.printRule;
    job.printRuleOn = context_.session.settings.printRule;
    job.documentStatus = dbm.value("BZW").toString();
    job.abortPreview = captions_.abortPreview;
    if (dbg01) dbg01->setUpdatesEnabled(false);
    printWithTemplate(job, toPreview, context_.prompter, this);
    if (dbg01) dbg01->setUpdatesEnabled(true);
}

reports::DataSources DocumentWindow::printSources() {
    // A document without lines is printed once, from its header.
    if (!dbg01) return {"", nullptr, {{"dbm", &dbm}, {"System", &context_.dbm.config}}};
    return {"dbd", &dbd, {{"dbm", &dbm}, {"dbd", &dbd}, {"dbspk", &dbspk}, {"System", &context_.dbm.config}}};
}

void DocumentWindow::designReport() {
    TemplatePrintJob job;
    job.file = paths::resolve(context_.session.workingDirectory(), "reports/" + kind_.templateFile);
    job.sources = printSources();
    designTemplate(job, context_.prompter, this);
}

QString DocumentWindow::layoutFile() const {
    return paths::resolve(context_.session.workingDirectory(), "VexaStyle.INI");
}

void DocumentWindow::closeEvent(QCloseEvent* event) {
    // Nothing typed is lost on closing: the unsaved-line rule, then the
    // header; a refusal keeps the window open.
    if (!finishPendingEdits(this, true) || !rules_->leaveUnsavedLine() || !dbm.endEditing()) {
        event->ignore();
        return;
    }
    if (dbg01) {
        IniFile ini(layoutFile());
        dbg01->saveLayout(ini, captions_.layoutSection, captions_.layoutSortMarkers);
        ini.save();
    }
    ChildWindow::closeEvent(event);
}
