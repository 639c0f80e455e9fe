// Tfrmmain: the main window, frame of every child window and owner of every command.
#pragma once

#include "shell/appcontext.h"
#include "shell/forms/commandregistry.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <functional>

class QAction;
class QLabel;
class QMdiSubWindow;
class QMenu;
class QMenuBar;
class QToolBar;
class ChildWindow;
class DesktopArea;
class LoginRules;
class Prompter;
class Session;
class Tfdbm;

class Tfrmmain : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kReady = "Quorvel商业信息系统. 系统就绪.";

    // runLogin shows the login dialog and tells whether an operator logged
    // in; tests put a scripted login in its place.
    using LoginRunner = std::function<bool()>;
    // registerCommands binds what the subsystems' commands do (the program
    // passes the one function that registers them all).
    explicit Tfrmmain(const AppContext& context, const CommandRegistration& registerCommands = {},
                      QWidget* parent = nullptr);
    ~Tfrmmain() override;
    void setLoginRunner(LoginRunner runner) { runLogin_ = std::move(runner); }

    // The rest of the window's creation: reads SYS_VEXA.INI, runs the login
    // and applies the rights and the work state. False when nobody may work:
    // the program then ends.
    bool startUp();

    const AppContext& context() const { return context_; }
    QAction* command(const QString& name) const;
    QMenu* menu(const QString& name) const;
    QToolBar* businessToolBar() const { return ToolBarYw; }
    QString statusText(int panel) const;
    void setStatusText(int panel, const QString& text);
    DesktopArea* desktop() const { return desktop_; }

    // Single-instance child windows: created on first use, brought to the
    // front afterwards, forgotten when closed.
    ChildWindow* showChild(const QString& key, const std::function<ChildWindow*()>& create);
    int childCount() const;

    // Step 9 of the creation without its message: the daily-business menu
    // and toolbar are shown exactly when the work state is "1".
    bool refreshWorkState();

    // The history-data mode: the connection points at a month's copy and
    // the history menu bar stands in for the normal one. The mode is the
    // menu bar shown.
    bool historyMode() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct Command;
    static const QList<Command>& commands();
    void buildCommands();
    void buildStatusBar();
    void buildHistoryMenu();
    void listChildWindows(QMenu* windows);
    void showHistoryMenus(bool on);
    // The month the period dialog chooses: its copy's path, or empty when cancelled.
    QString choosePeriod(bool tellPeriod);
    // Runs a reopening of the book; a failure there leaves no book to work
    // on: the database layer's message, and the program ends.
    bool reopenOrStop(const std::function<void()>& reopen);
    void enterHistory();
    void changeHistoryPeriod();
    void returnToNormal();
    void setCommandEnabled(const QString& name, bool on);
    void setCommandVisible(const QString& name, bool on);
    void setMenuVisible(const QString& name, bool on);
    void childActivated(QMdiSubWindow* window);

    void applyAdministratorRight();
    // What a login opens, at start-up and after a logout alike: the rights,
    // then the work state (daily business stays shut from month-end until
    // work starts again, whoever logs in).
    void openSession();
    void loginCommand();
    void logout();
    void relogin();
    void bindShellCommands();
    void changePassword();
    void printerSetup();
    void startCalculator();

    AppContext context_;
    CommandRegistry registry_;
    Tfdbm& dbm_;
    Session& session_;
    Prompter& prompter_;
    LoginRules* rules_;
    LoginRunner runLogin_;

    DesktopArea* desktop_;
    QMenuBar* MenuMain;
    QMenuBar* MenuLssj;  // the history-data mode's menu bar
    QHash<QString, QString> historyCaptions_;  // commands shown under another caption in history mode
    QWidget* mCtrlBar;
    QToolBar* ToolBarYw;
    QToolBar* ToolBarXt;
    QList<QLabel*> panels_;
    QHash<QString, QAction*> actions_;
    QHash<QString, QMenu*> menus_;
    QHash<QString, QPointer<QMdiSubWindow>> children_;
    QPointer<ChildWindow> plugged_;  // the child whose print handlers are plugged in
    QList<QMetaObject::Connection> printHandlers_;
};
