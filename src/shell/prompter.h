// Prompter: every message, question, input box and file choice the system
// shows goes through one of these, so rules stay headless and tests can read
// the message and answer the question.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class Prompter {
public:
    virtual ~Prompter();

    // A message with an OK button and no icon.
    virtual void message(const QString& text) = 0;
    // A Yes/No question; true only on Yes.
    virtual bool question(const QString& text) = 0;
    // An OK/Cancel question; true only on OK.
    virtual bool confirm(const QString& text) = 0;
    // An input box; nullopt when cancelled.
    virtual std::optional<QString> inputText(const QString& prompt, const QString& initial) = 0;
    // The password prompt: a box showing "*" and one OK button, no cancel;
    // whatever the box holds when it closes is the answer.
    virtual QString inputPassword(const QString& prompt) = 0;

    struct FileChoice {
        QString path;
        int filterIndex = 0;  // which of the offered filters the user chose
    };
    // A save-file dialog over the given filters ("Excel 文件 (*.xls)"); nullopt when cancelled.
    virtual std::optional<FileChoice> chooseSaveFile(const QStringList& filters, const QString& initialName) = 0;
    // An open-file dialog; nullopt when cancelled.
    virtual std::optional<QString> chooseOpenFile(const QStringList& filters) = 0;

    // The wait box of long operations. A second show replaces the reference
    // and leaves the first box on screen; hide removes the box last shown and
    // is safe with none.
    virtual void showWaitBox(const QString& text) = 0;
    virtual void hideWaitBox() = 0;

    // Two texts of a message joined by a line break.
    static QString lines(const QString& first, const QString& second) { return first + '\n' + second; }
};
