// UnattendedPrompter: the Prompter of work nobody watches (the companion
// tool's import, a benchmark). Every text is kept for whoever runs the work
// to read; questions are answered No and input boxes cancelled, the answer
// that changes nothing; file choices are cancelled; there is no wait box.
#pragma once

#include "shell/prompter.h"

class UnattendedPrompter final : public Prompter {
public:
    QStringList told;  // messages and questions, in order

    void message(const QString& text) override { told.append(text); }
    bool question(const QString& text) override {
        told.append(text);
        return false;
    }
    bool confirm(const QString& text) override { return question(text); }
    std::optional<QString> inputText(const QString&, const QString&) override { return std::nullopt; }
    QString inputPassword(const QString&) override { return {}; }
    std::optional<FileChoice> chooseSaveFile(const QStringList&, const QString&) override { return std::nullopt; }
    std::optional<QString> chooseOpenFile(const QStringList&) override { return std::nullopt; }
    void showWaitBox(const QString&) override {}
    void hideWaitBox() override {}
};
