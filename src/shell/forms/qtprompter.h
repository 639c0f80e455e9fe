// QtPrompter: the Prompter on screen, with Qt message boxes captioned
// "Quorvel商业信息系统".
#pragma once

#include "shell/prompter.h"

class QWidget;

class QtPrompter : public Prompter {
public:
    static constexpr const char* kCaption = "Quorvel商业信息系统";

    void message(const QString& text) override;
    bool question(const QString& text) override;
    bool confirm(const QString& text) override;
    std::optional<QString> inputText(const QString& prompt, const QString& initial) override;
    QString inputPassword(const QString& prompt) override;
    std::optional<FileChoice> chooseSaveFile(const QStringList& filters, const QString& initialName) override;
    std::optional<QString> chooseOpenFile(const QStringList& filters) override;
    void showWaitBox(const QString& text) override;
    void hideWaitBox() override;

private:
    static QWidget* parent();
};
