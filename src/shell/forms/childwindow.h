// ChildWindow: base of the working windows that open inside the main window.
#pragma once

#include <QWidget>

class RowSet;

class ChildWindow : public QWidget {
    Q_OBJECT
public:
    explicit ChildWindow(QWidget* parent = nullptr);

    // Status panel 1 while the window is active.
    virtual QString activityText() const { return windowTitle(); }

    // The print protocol: while a window is active, the handlers it offers
    // are plugged into the main window's print (alfprint), preview
    // (alfPreview) and design-report (alfModiRep) commands; the others stay disabled.
    enum PrintCommand { Print = 1, Preview = 2, Design = 4 };
    virtual int printCommands() const { return 0; }

public slots:
    virtual void print() {}
    virtual void preview() {}
    virtual void designReport() {}

public:
    // The window became the active child (windows re-read their data here).
    virtual void activated() {}

protected:
    // The row sets the window edits in place. On close a row still being
    // typed is saved, not lost; a refused one keeps the window open.
    virtual QList<RowSet*> editedRowSets() { return {}; }
    void closeEvent(QCloseEvent* event) override;

signals:
    // Status panel 0: a row position some windows show ("n/m").
    void positionTextChanged(const QString& text);
};
