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

    QStringList messages;  // every message shown, in order

    void message(const QString& text) override { messages.append(text); }
    bool question(const QString& text) override;
    std::optional<QString> inputText(const QString& prompt, const QString& initial) override;
    std::optional<FileChoice> chooseSaveFile(const QStringList& filters, const QString& initialName) override;
    std::optional<QString> chooseOpenFile(const QStringList& filters) override;

private:
    QList<QPair<QString, bool>> questions_;
    QList<std::optional<QString>> inputs_;
    QList<std::optional<FileChoice>> files_;
};
