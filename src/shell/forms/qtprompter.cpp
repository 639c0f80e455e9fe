#include "shell/forms/qtprompter.h"

#include "shell/forms/uGetPwd.h"
#include "shell/forms/uwait.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

QWidget* QtPrompter::parent() { return QApplication::activeWindow(); }

void QtPrompter::message(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, kCaption, text, QMessageBox::Ok, parent());
    box.exec();
}

bool QtPrompter::question(const QString& text) {
    QMessageBox box(QMessageBox::Question, kCaption, text, QMessageBox::NoButton, parent());
    QPushButton* yes = box.addButton("是(&Y)", QMessageBox::YesRole);
    box.setDefaultButton(box.addButton("否(&N)", QMessageBox::NoRole));
    box.exec();
    return box.clickedButton() == yes;
}

bool QtPrompter::confirm(const QString& text) {
    QMessageBox box(QMessageBox::Question, kCaption, text, QMessageBox::NoButton, parent());
    QPushButton* ok = box.addButton("确定", QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton("取消", QMessageBox::RejectRole));
    box.exec();
    return box.clickedButton() == ok;
}

std::optional<QString> QtPrompter::inputText(const QString& prompt, const QString& initial) {
    bool ok = false;
    const QString text = QInputDialog::getText(parent(), kCaption, prompt, QLineEdit::Normal, initial, &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

QString QtPrompter::inputPassword(const QString& prompt) {
    TfGetPwd dialog(parent());
    return dialog.ask(prompt);
}

std::optional<Prompter::FileChoice> QtPrompter::chooseSaveFile(const QStringList& filters, const QString& initialName) {
    QFileDialog dialog(parent(), kCaption, initialName, filters.join(";;"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return FileChoice{dialog.selectedFiles().first(), int(filters.indexOf(dialog.selectedNameFilter()))};
}

std::optional<QString> QtPrompter::chooseOpenFile(const QStringList& filters) {
    const QString file = QFileDialog::getOpenFileName(parent(), kCaption, {}, filters.join(";;"));
    return file.isEmpty() ? std::nullopt : std::optional<QString>(file);
}

void QtPrompter::showWaitBox(const QString& text) { ShowWaitBox(text); }

void QtPrompter::hideWaitBox() { HideWaitBox(); }
