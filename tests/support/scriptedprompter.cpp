#include "support/scriptedprompter.h"

#include <gtest/gtest.h>

ScriptedPrompter::~ScriptedPrompter() {
    EXPECT_TRUE(questions_.isEmpty()) << "expected question not asked: " << questions_.value(0).first.toStdString();
}

bool ScriptedPrompter::question(const QString& text) {
    if (questions_.isEmpty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return false;
    }
    const auto [expected, yes] = questions_.takeFirst();
    EXPECT_EQ(expected.toStdString(), text.toStdString());
    return yes;
}

std::optional<QString> ScriptedPrompter::inputText(const QString& prompt, const QString& initial) {
    inputPresets.append(initial);
    if (inputs_.isEmpty()) {
        ADD_FAILURE() << "unexpected input box: " << prompt.toStdString();
        return std::nullopt;
    }
    return inputs_.takeFirst();
}

std::optional<Prompter::FileChoice> ScriptedPrompter::chooseSaveFile(const QStringList&, const QString&) {
    if (files_.isEmpty()) {
        ADD_FAILURE() << "unexpected save dialog";
        return std::nullopt;
    }
    return files_.takeFirst();
}

std::optional<QString> ScriptedPrompter::chooseOpenFile(const QStringList&) {
    if (files_.isEmpty()) {
        ADD_FAILURE() << "unexpected open dialog";
        return std::nullopt;
    }
    const auto choice = files_.takeFirst();
    return choice ? std::optional<QString>(choice->path) : std::nullopt;
}

QString ScriptedPrompter::inputPassword(const QString& prompt) {
    prompts.append(prompt);
    if (passwords_.isEmpty()) {
        ADD_FAILURE() << "unexpected password prompt: " << prompt.toStdString();
        return {};
    }
    return passwords_.takeFirst();
}
