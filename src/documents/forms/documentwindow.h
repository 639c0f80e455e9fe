// DocumentWindow: the frame every document window fills in — the header
// group with its navigator, print, find and post buttons, header boxes and
// status box; the lines group with its grid and line buttons; the keys; the
// pickers; printing through the kind's template; the column layout.
#pragma once

#include "database/rowset.h"
#include "documents/documentrules.h"
#include "reports/reportengine.h"
#include "shell/appcontext.h"
#include "shell/forms/childwindow.h"

#include <memory>

class DataGrid;
struct GridColumn;
class FieldEdit;
class QGridLayout;
class QHBoxLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QToolButton;

class DocumentWindow : public ChildWindow {
    Q_OBJECT
public:
    struct Captions {
        QString headerGroup;   // "商品入库单[&1]"
        QString linesGroup;    // "入库单明细[&2]"
        QString printHint;     // "打印入库单[F8]"
        QString reportTitle;   // the template's title when it has none: "入库单打印"
        QString findCaption;   // "请选择入库单"
        QString layoutSection; // VexaStyle.INI: "frmsprkdlr"
        bool layoutSortMarkers = false;  // the section keeps the grid's sort markers too
        QString findButton = "查找[&B]";
        bool printRule = true;  // an unposted document is not printed while the print rule is on
        QString abortPreview = "打印预览被用户终止！";
    };

    DocumentWindow(const AppContext& context, const DocumentKind& kind, const Captions& captions,
                   QWidget* parent = nullptr);
    ~DocumentWindow() override;

    int printCommands() const override { return Print | Preview | Design; }
    void print() override { printDocument(false); }
    void preview() override { printDocument(true); }
    void designReport() override;
    void activated() override;

    // The cursors, as the templates name them.
    RowSet dbm;    // headers
    RowSet dbd;    // the current document's lines
    RowSet dbspk;  // goods
    RowSet dbkhk;  // the kind's parties

    DataGrid* dbg01 = nullptr;
    QLineEdit* ljzbz = nullptr;  // the status box
    QPushButton* btnpass = nullptr;
    QPushButton* btnprn = nullptr;
    QPushButton* btnpreview = nullptr;
    QPushButton* btnLocate = nullptr;
    FieldEdit* headerBox(const QString& field) const;  // null when the field's box is not a text box
    QWidget* headerWidget(const QString& field) const;

    DocumentRules& rules() { return *rules_; }
    // What the kind's template reads: the lines, and the header, goods and
    // configuration cursors by their names.
    reports::DataSources printSources();

protected:
    // Called by the window's constructor, in this order: open the cursors
    // (after adding their lookups), then set captions and formats, the boxes
    // and columns, finishLayout, and last the rules, which show the last document.
    void openCursors();
    void setRules(std::unique_ptr<DocumentRules> rules);
    // A header box in the grid of boxes; the boxes take the tab order in which they are added.
    FieldEdit* addHeaderBox(const QString& label, const QString& field, int row, int column, int span = 1);
    // Any other control bound to a header field (a drop-down list), placed and ordered likewise.
    void addHeaderWidget(const QString& label, const QString& field, QWidget* box, int row, int column, int span = 1);
    // The party code box: F2, double-click and the picker buttons choose a party.
    FieldEdit* addPartyBox(const QString& label, const QString& field, int row, int column, int pickerButtons = 2);
    // F2 and double-click in the box choose a party.
    void choosesParty(QWidget* box);
    // The note box: entering it may fill in the default note.
    void setNoteBox(QWidget* box);
    // Finishes the frame: Enter moves through the boxes, the last one into the
    // grid, or back to the new document's first box when there are no lines.
    void finishLayout(QWidget* lastHeaderBox, QWidget* newDocumentFocus);

    // The rules' context: this window's book, configuration row, prompter and session.
    DocumentRules::Context rulesContext() const;
    // The lines' leading goods columns: 序号, 编码, 商品名称 (a drop-down of the
    // goods, footer `totalText`), 货号, 规格型号.
    void addGoodsColumns(const QString& totalText);
    // A column summed in the footer, shown and summed in `format`.
    GridColumn& addTotalColumn(const QString& field, const QString& title, int width, const char* format);
    // The sixteen size columns; those beyond the slots in use go when the rules are set.
    void addSizeColumns();
    static constexpr const char* kQuantity = "0;-0;#";
    static constexpr const char* kMoney = "0.00;-0.00;#";

    // The party picker over dbkhk; false when cancelled.
    virtual bool pickParty() = 0;
    // The kind's find dialog over dbm.
    virtual void showFindDialog() = 0;
    virtual bool goodsEditButton() const { return true; }
    virtual void documentShown();
    // Enter on the goods-code column with no code: where the focus goes.
    virtual QWidget* emptyCodeFocus() const { return newDocumentFocus_; }

    const AppContext context_;
    const DocumentKind& kind_;
    const Captions captions_;
    QGridLayout* headerBoxes_ = nullptr;
    QList<QPair<QString, QWidget*>> boxes_;
    QHash<QWidget*, QHBoxLayout*> boxCells_;  // the row each box sits in, buttons beside it

    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFrame();
    void printDocument(bool toPreview);
    void find();
    void chooseParty();
    void pickGoods();
    void newDocument();
    void enterGrid();
    QString layoutFile() const;

    std::unique_ptr<DocumentRules> rules_;
    QGroupBox* upper_ = nullptr;
    QGroupBox* lower_ = nullptr;
    QWidget* newDocumentFocus_ = nullptr;
    QWidget* lastHeaderBox_ = nullptr;
    QWidget* noteBox_ = nullptr;
    QList<QWidget*> partyBoxes_;
    bool enteringGrid_ = false;
};
