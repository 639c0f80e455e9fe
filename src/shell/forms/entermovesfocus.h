// In dialogs and document headers Enter moves to the next control, as Tab does.
#pragma once

#include <QObject>
#include <QWidget>

class EnterMovesFocus : public QObject {
public:
    // Installs the rule on each of the given controls.
    static void install(std::initializer_list<QWidget*> controls);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};
