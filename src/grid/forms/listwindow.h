// ListWindow: base of the child windows made of grids that they print,
// preview and export — the code tables, the goods catalogue, the parties
// today; the work log, queries, summaries and history browsers next.
#pragma once

#include "grid/forms/gridprinter.h"
#include "shell/appcontext.h"
#include "shell/forms/childwindow.h"

class ButtonRow;
class DataGrid;
class Prompter;

class ListWindow : public ChildWindow {
    Q_OBJECT
public:
    explicit ListWindow(const AppContext& context, QWidget* parent = nullptr);

    int printCommands() const override { return Print | Preview; }
    // The printout is the grid itself under the title the user confirms
    // ("请输入报表标题:", preset with the window's title), or under the
    // window's title where it asks none.
    void print() override { printGrid(false); }
    void preview() override { printGrid(true); }
    // Postings made in other windows show here: the row sets the window
    // names are re-read (at no cost when nothing was written since).
    void activated() override;
    // Export of the grid being printed.
    void exportGrid();

    const AppContext& context() const { return context_; }

protected:
    struct GridPrint {
        DataGrid* grid = nullptr;
        QString defaultTitle;
        GridPrintSettings layout;        // its title is the one confirmed
        bool leaveOutUnprinted = false;  // columns marked not to print are hidden meanwhile
        bool askTitle = true;            // the queries print under their fixed titles
    };
    // What a print of the window is now (the grid of the current page).
    virtual GridPrint gridPrint() const = 0;
    virtual QList<RowSet*> rereadOnActivation() { return {}; }

    // The record buttons over the row set `rows` gives when pressed.
    enum RecordButton { Prior = 1, Next = 2, Insert = 4, Delete = 8, Save = 16, Cancel = 32 };
    void addRecordButtons(ButtonRow& row, std::function<RowSet&()> rows, int which);

    Prompter& prompter() const;

private:
    void printGrid(bool toPreview);
    AppContext context_;
};
