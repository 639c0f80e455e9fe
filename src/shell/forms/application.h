// QuorvelApplication: the application object. An error no window handles
// (the database refusing a work-log row on a full disk, say) is shown with
// its own message instead of ending the program. Password boxes show "*".
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

// Qt's own texts in Chinese: the buttons of message boxes (确定, 取消), the
// file and print dialogs. False, and Qt's English stays, when Qt's
// translations are not installed.
bool loadQtTranslations(QCoreApplication& app);
