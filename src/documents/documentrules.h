// DocumentRules: the rules a document window's header and lines follow —
// numbering, the guards of a posted document, deleting, the line checks and
// arithmetic, the unsaved-line rule and the road to posting. Headless: the
// window binds its boxes and grid to the row sets and answers `view`.
#pragma once

#include "documents/documentkind.h"
#include "documents/posting.h"
#include "shell/sizeslots.h"

#include <QDate>

#include <functional>

class Prompter;
class RowSet;
struct AppContext;
class Database;

class DocumentRules {
public:
    struct Context {
        Database& db;
        RowSet& config;  // the System row: counters, size slots, DjRqEdit
        Prompter& prompter;
        std::function<QString()> operatorName;
        std::function<QDate()> businessDate;
        // The book, operator and business date a window or command works with.
        static Context of(const AppContext& context);
    };
    // What the rules ask of the window; each may be left unset.
    struct View {
        std::function<void(const QString& field)> focusHeaderBox;  // the box bound to the header's field
        std::function<void(const QString& field)> focusLineColumn;  // the grid's column of the field
        std::function<void()> documentShown;                        // another document, or its status changed
        std::function<void(const QString& text)> showStatus;        // the status box ("正在记帐")
    };

    // `lines` is null for documents without lines. `goods` and `parties` are
    // the window's cursors over ASPKM and the kind's party table.
    DocumentRules(const DocumentKind& kind, const Context& context, RowSet& header, RowSet* lines, RowSet& goods,
                  RowSet& parties);
    virtual ~DocumentRules();
    DocumentRules(const DocumentRules&) = delete;
    DocumentRules& operator=(const DocumentRules&) = delete;

    // Puts the hooks on the row sets; called once by the window after construction.
    void install();

    View view;
    const DocumentKind& kind() const { return kind_; }
    const SizeSlots& sizes() const { return sizes_; }

    // Whether the shown document is frozen: posted (or audited, voided). A
    // document not yet saved, or none at all, is not.
    bool isFrozen() const;
    // "单据未记帐", "单据已记帐"…; "记帐标志" when no document is shown.
    QString statusText() const;

    // Before find, print, preview and posting: a line being typed is saved
    // when its goods code names goods, dropped otherwise. False when the
    // save was refused (the line stays in editing and the command stops).
    bool leaveUnsavedLine();
    // F4: the header, then the current line, each when new or being edited.
    bool saveDocument();
    // Esc: drops what was typed into the header and the current line.
    void cancelDocument();
    // The focus moved into the lines: a new or edited header is saved first;
    // a document still open for entry without lines gets its first line.
    bool enterLines();
    // The default note when the note box gets the focus (stock-in: "从…进货").
    virtual void noteEntered() {}
    // Posting the shown document: the unsaved-line rule, the question, saving,
    // the wait box, the posting service, the re-read.
    void post();

    // Whether a document may carry another date than the business date
    // (System.DjRqEdit, read when the rules are made); the window's date box
    // is read-only otherwise, and a date set any other way is refused with kDateFixed.
    bool dateEditable() const { return dateEditable_; }

    inline static const QString kCannotChange = "单据已经记帐，不能修改!";
    inline static const QString kDateFixed = "单据日期不允许修改!";
    inline static const QString kCannotDelete = "单据已经记帐，不能删除!";

protected:
    // Messages a kind words differently (the purchase order says 定单); set
    // by a kind's constructor.
    struct Texts {
        QString duplicateNumber = "关键字(单据号码)不能重复!";
        QString cannotSave = "单据不能保存！";
        QString deleteLinesFirst = "要删除单据应首先删除此单据所有分录!";
        QString deleteQuestion = "是否要删除当前单据?";
        QString deleteLineQuestion = "是否要删除当前分录?";
    };
    Texts texts_;

    // What a kind says differently; the defaults are the stock-in document's.
    virtual QString missingPartyMessage() const = 0;
    virtual QString unknownGoodsTyped() const;     // a code typed that names no goods
    virtual QString unknownGoodsSaved() const;     // a line saved with such a code
    virtual void newHeaderDefaults() {}            // beyond date, status, number and total
    virtual bool checkHeader();                    // before a header is saved: the party exists
    virtual void newLineDefaults();
    virtual void goodsEntered();                   // the line's goods code changed
    virtual bool checkLine();                      // before a line is saved
    virtual QStringList sizeColumns() const;       // the lines' size slots: slA .. slP
    virtual QString postingWaitText() const { return "正在进行单据记账，请等待...."; }
    // Hooks of the kind's own beyond the shared ones (a customer's name that
    // follows its code, a total kept from the size slots); run by install().
    virtual void installKindRules() {}

    // The line's goods in the goods cursor (it moves there); false when none.
    bool findGoods(const QString& code);
    bool lineHasGoods();
    void recomputeLine();  // JBSL, JBDJ, JE and the unit text from BzLx, SL, DJ
    bool lineSlotsMatch(const QString& totalField);  // empty slots become 0 first
    void fillEmptySlots();   // empty slots and an empty SL become 0
    bool lineGoodsKnown();   // the line names goods; otherwise told, and the code column takes the focus

    const DocumentKind& kind_;
    Context context_;
    RowSet& header_;
    RowSet* lines_;
    RowSet& goods_;
    RowSet& parties_;
    SizeSlots sizes_;

private:
    bool dateEditable_;
    void installHeaderRules();
    void installLineRules();
    void installPartyRules();
    void takeNumber();  // in one transaction with the new header's first write
    bool documentHasLines();
    QString renumbered_;  // told once the new header is saved
};

// The lines' goods columns looked up by code in the goods cursor: spmc,
// artno, color, ggxh, jldw, hzdw (what the grid shows and the template reads).
void addGoodsLookups(RowSet& lines, RowSet& goods);
