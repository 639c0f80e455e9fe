#include "shell/forms/buttonrow.h"

#include <QPushButton>

QPushButton* ButtonRow::add(const char* objectName, const QString& caption, std::function<void()> action) {
    auto* button = new QPushButton(caption, owner_);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, owner_, std::move(action));
    addWidget(button);
    return button;
}
