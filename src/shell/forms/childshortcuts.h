// ChildShortcuts: the Alt letters of a child window's own buttons, labels and
// pages win over the main menu's while the focus is in that window. A letter
// the window gives to several of them only moves the focus among them, so it
// never saves, deletes or closes anything the user did not choose.
#pragma once

#include <QObject>

class ChildShortcuts : public QObject {
public:
    // Watches the whole application; installed once.
    static void install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
    int takenKey_ = 0;  // an Alt letter claimed at its shortcut check; its key press is ours
};
