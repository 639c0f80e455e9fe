#include "shell/forms/childshortcuts.h"

#include "shell/forms/childwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QTabBar>

namespace {

// Something an Alt letter reaches: a button clicks, a label's buddy, a page
// of a tab bar or a group's first box takes the focus.
struct Target {
    QWidget* widget = nullptr;
    int tab = -1;
    QWidget* focus = nullptr;  // what takes the focus when the letter is given twice
};

bool hasLetter(const QString& text, int key) {
    return QKeySequence::mnemonic(text) == QKeySequence(Qt::AltModifier | Qt::Key(key));
}

bool reachable(const QWidget* w) { return w->isVisible() && w->isEnabled(); }

QWidget* firstFocusableIn(QWidget* group) {
    for (QWidget* w = group->nextInFocusChain(); w && w != group; w = w->nextInFocusChain())
        if (group->isAncestorOf(w) && reachable(w) && (w->focusPolicy() & Qt::TabFocus)) return w;
    return nullptr;
}

ChildWindow* childOf(QObject* watched) {
    auto* w = qobject_cast<QWidget*>(watched);
    for (; w; w = w->parentWidget()) {
        if (auto* child = qobject_cast<ChildWindow*>(w)) return child;
        if (w->isWindow()) return nullptr;  // a dialog of its own
    }
    return nullptr;
}

// The child's targets of the letter, in focus-chain order.
QList<Target> targetsOf(ChildWindow* child, int key) {
    QList<Target> out;
    for (QWidget* w = child->nextInFocusChain(); w && w != child; w = w->nextInFocusChain()) {
        if (!child->isAncestorOf(w) || !reachable(w)) continue;
        if (auto* button = qobject_cast<QAbstractButton*>(w); button && hasLetter(button->text(), key)) {
            out.append({button, -1, button->focusPolicy() & Qt::TabFocus ? button : nullptr});
        } else if (auto* label = qobject_cast<QLabel*>(w);
                   label && label->buddy() && reachable(label->buddy()) && hasLetter(label->text(), key)) {
            out.append({label, -1, label->buddy()});
        } else if (auto* group = qobject_cast<QGroupBox*>(w); group && hasLetter(group->title(), key)) {
            if (QWidget* first = firstFocusableIn(group)) out.append({group, -1, first});
        } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->isTabEnabled(i) && hasLetter(tabs->tabText(i), key)) out.append({tabs, i, tabs});
        }
    }
    return out;
}

void reach(const Target& t) {
    if (auto* button = qobject_cast<QAbstractButton*>(t.widget)) button->click();
    else if (auto* tabs = qobject_cast<QTabBar*>(t.widget)) tabs->setCurrentIndex(t.tab);
    else if (t.focus) t.focus->setFocus(Qt::ShortcutFocusReason);
}

// A letter given twice: the focus moves to the next of them after the focus.
void focusNext(ChildWindow* child, const QList<Target>& targets) {
    QList<QWidget*> focusable;
    for (const Target& t : targets)
        if (t.focus && !focusable.contains(t.focus)) focusable.append(t.focus);
    if (focusable.isEmpty()) return;
    QWidget* from = QApplication::focusWidget();
    for (QWidget* w = from ? from->nextInFocusChain() : nullptr; w && w != from; w = w->nextInFocusChain())
        if (focusable.contains(w)) {
            w->setFocus(Qt::ShortcutFocusReason);
            return;
        }
    focusable.first()->setFocus(Qt::ShortcutFocusReason);
}

}  // namespace

void ChildShortcuts::install() {
    static ChildShortcuts* installed = nullptr;
    if (installed || !qApp) return;
    installed = new ChildShortcuts(qApp);
    qApp->installEventFilter(installed);
}

bool ChildShortcuts::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() != Qt::AltModifier) return false;
    ChildWindow* child = childOf(watched);
    if (!child) return false;
    if (event->type() == QEvent::ShortcutOverride) {
        // Claiming the letter here keeps the main menu's shortcut from running;
        // the key press that follows then comes to us.
        if (targetsOf(child, key->key()).isEmpty()) return false;
        takenKey_ = key->key();
        key->accept();
        return true;
    }
    if (takenKey_ != key->key()) return false;
    takenKey_ = 0;
    // A letter held down acts once; its repeats are only kept from the menu.
    if (key->isAutoRepeat()) return true;
    const QList<Target> targets = targetsOf(child, key->key());
    if (targets.size() == 1) reach(targets.first());
    else focusNext(child, targets);
    return true;
}
