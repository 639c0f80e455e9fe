#include "shell/forms/application.h"

#include "database/database.h"
#include "shell/forms/qtprompter.h"

QuorvelApplication::QuorvelApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool QuorvelApplication::notify(QObject* receiver, QEvent* event) {
    QString text;
    try {
        return QApplication::notify(receiver, event);
    } catch (const DbError& e) {
        text = e.message();
    } catch (const std::exception& e) {
        text = QString::fromLocal8Bit(e.what());
    }
    QtPrompter fallback;
    (prompter_ ? *prompter_ : static_cast<Prompter&>(fallback)).message(text);
    return true;
}
