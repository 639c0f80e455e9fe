// QuorvelApplication: the application object. An error no window handles
// (the database refusing a work-log row on a full disk, say) is shown with
// its own message instead of ending the program.
#pragma once

#include <QApplication>

class Prompter;

class QuorvelApplication : public QApplication {
public:
    QuorvelApplication(int& argc, char** argv);
    // Where the messages go; the program's own message boxes unless a test says otherwise.
    void setPrompter(Prompter* prompter) { prompter_ = prompter; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    Prompter* prompter_ = nullptr;
};
