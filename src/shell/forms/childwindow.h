// ChildWindow: base of the working windows that open inside the main window.
#pragma once

#include <QWidget>

class ChildWindow : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Status panel 1 while the window is active.
    virtual QString activityText() const { return windowTitle(); }

    // The print protocol: a window that can print plugs these into the main
    // window's print, preview and design-report commands while it is active.
    virtual bool canPrint() const { return false; }

public slots:
    virtual void print() {}
    virtual void preview() {}
    virtual void designReport() {}

public:
signals:
    // Status panel 0: a row position some windows show ("n/m").
    void positionTextChanged(const QString& text);
};
