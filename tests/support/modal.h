// Answers the next modal dialog of a type as soon as it is shown.
#pragma once

#include <QApplication>
#include <QTimer>

#include <functional>

template <typename Dialog>
void answerModal(std::function<void(Dialog*)> answer) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(dialog);
        }
    });
    poll->start(10);
}
