#include "shell/forms/buttonrow.h"

#include "dataaware/pendingedit.h"

#include <QPushButton>

QPushButton* ButtonRow::add(const char* objectName, const QString& caption, std::function<void()> action,
                            TypedText typed) {
    auto* button = new QPushButton(caption, owner_);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    // A button pressed by its Alt letter leaves the focus where it was, so
    // the cell being typed in is still open: finish it before the command.
    QObject::connect(button, &QPushButton::clicked, owner_, [owner = owner_, action = std::move(action), typed] {
        if (finishPendingEdits(owner, typed == TypedText::Keep) || typed == TypedText::Drop) action();
    });
    addWidget(button);
    return button;
}
