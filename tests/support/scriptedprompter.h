// The test Prompter: records every text shown and answers from a script.
#pragma once

#include "shell/prompter.h"

#include <QList>
#include <QPair>

class ScriptedPrompter : public Prompter {
public:
    ~ScriptedPrompter() override;

    // The next question must have this text; it is answered with `yes`.
    void expectQuestion(const QString& text, bool yes) { questions_.append({text, yes}); }
    void answerInput(std::optional<QString> answer) { inputs_.append(answer); }
    void answerFile(std::optional<FileChoice> answer) { files_.append(answer); }
    void answerPassword(const QString& answer) { passwords_.append(answer); }

    QStringList messages;   // every message shown, in order
    QStringList prompts;    // every password prompt, in order
    QStringList waitTexts;  // every wait box shown, in order
    QStringList inputPresets;  // the text each input box was preset with, in order
    int waitBoxesShown = 0; // shown and not yet hidden

    void message(const QString& text) override { messages.append(text); }
    bool question(const QString& text) override;
    // OK/Cancel questions are scripted with expectQuestion too.
    bool confirm(const QString& text) override { return question(text); }
    std::optional<QString> inputText(const QString& prompt, const QString& initial) override;
    std::optional<FileChoice> chooseSaveFile(const QStringList& filters, const QString& initialName) override;
    std::optional<QString> chooseOpenFile(const QStringList& filters) override;
    QString inputPassword(const QString& prompt) override;
    void showWaitBox(const QString& text) override {
        waitTexts.append(text);
        ++waitBoxesShown;
    }
    void hideWaitBox() override { waitBoxesShown = std::max(0, waitBoxesShown - 1); }

private:
    QList<QPair<QString, bool>> questions_;
    QList<std::optional<QString>> inputs_;
    QList<std::optional<FileChoice>> files_;
    QStringList passwords_;
};
