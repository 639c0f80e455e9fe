// ButtonRow: the row of command buttons under a window's grid or pages.
#pragma once

#include <QHBoxLayout>

#include <functional>

class QPushButton;

class ButtonRow : public QHBoxLayout {
public:
    explicit ButtonRow(QWidget* owner) : owner_(owner) {}
    // A button named for the tests, not a default button (Enter belongs to the grid).
    QPushButton* add(const char* objectName, const QString& caption, std::function<void()> action);

private:
    QWidget* owner_;
};
