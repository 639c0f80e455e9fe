// ButtonRow: the row of command buttons under a window's grid or pages.
#pragma once

#include <QHBoxLayout>

#include <functional>

class QPushButton;

class ButtonRow : public QHBoxLayout {
public:
    // What a command does first with text still being typed in the owner's
    // cells and boxes: hands it to the row it was typed for, or drops it (the
    // cancel commands).
    enum class TypedText { Keep, Drop };

    explicit ButtonRow(QWidget* owner) : owner_(owner) {}
    // A button named for the tests, not a default button (Enter belongs to the grid).
    QPushButton* add(const char* objectName, const QString& caption, std::function<void()> action,
                     TypedText typed = TypedText::Keep);

private:
    QWidget* owner_;
};
