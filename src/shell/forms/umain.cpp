#include "shell/forms/umain.h"

#include "dataaware/pendingedit.h"
#include "shell/appcontext.h"
#include "shell/forms/artwork.h"
#include "shell/forms/childwindow.h"
#include "shell/forms/desktoparea.h"
#include "shell/forms/printer.h"
#include "shell/forms/ulogin.h"
#include "shell/forms/usethis.h"
#include "shell/loginrules.h"
#include "period/monthend.h"
#include "shell/paths.h"
#include "shell/prompter.h"
#include "shell/session.h"
#include "shell/udbm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateEdit>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPrintDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QShortcut>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

// One line per command: where it sits and what it says. What a command does
// is bound in the registry by the subsystem that owns it; a command nobody
// bound belongs to a window not built yet and stays disabled.
struct Tfrmmain::Command {
    const char* menu;  // the menu's object name; empty: toolbar only
    const char* name;  // the action's object name; "-" a separator
    const char* caption;
    const char* hint;
    QKeySequence key;
};

const QList<Tfrmmain::Command>& Tfrmmain::commands() {
    static const QList<Command> table = {
        {"MenuFile", "alfLogin", "注销[&L]", "系统注销", QKeySequence("Ctrl+Alt+L")},
        {"MenuFile", "alfPWD", "修改口令...", "修改口令", {}},
        {"MenuFile", "alfsql", "&SQL 操作...", "", {}},
        {"MenuFile", "alcxlssj", "查询历史数据", "进行历史数据查询....", {}},
        {"MenuFile", "-", "", "", {}},
        {"MenuFile", "alfSetPrn", "设置打印机...", "设置打印机...", {}},
        {"MenuFile", "alfPreview", "打印预览", "打印预览", {}},
        {"MenuFile", "alfprint", "打印输出", "打印输出....", QKeySequence("Ctrl+P")},
        {"MenuFile", "-", "", "", {}},
        {"MenuFile", "alfClose", "关闭[&Close]", "关闭返回...", QKeySequence("Alt+X")},
        {"MenuFile", "alfShut", "关机[Shu&t Down]", "", {}},

        {"MenuYw", "alYwYpRk", "商品入库业务", "进行商品入库业务", {}},
        {"MenuYw", "alywfkdlr", "付款单录入", "进行付款单录入", {}},
        {"MenuYw", "alYwYpCk", "商品销售发货", "进行商品销售与发货业务", {}},
        {"MenuYw", "alYwQzHs", "欠帐回收业务", "进行欠款回收", {}},
        {"MenuYw", "alywDdLr", "制作商品定单", "制作商品定货单", {}},
        {"MenuYw", "alywsjzl", "系统数据整理", "进行系统数据整理", {}},

        {"MenuCx", "alCxspkm", "商品库存信息", "商品库存信息查询", {}},
        {"MenuCx", "alCxBmkM", "客户往来信息", "查询客户往来信息....", {}},
        {"MenuCx", "alcxgyxx", "供应商往来信息", "查询供应商往来信息", {}},
        {"MenuCx", "alcxHzrkd", "入库单汇总", "", {}},
        {"MenuCx", "alcxhzckd", "出库单汇总", "", {}},
        {"MenuCx", "alcxhzskd", "收款单汇总", "", {}},
        {"MenuCx", "alcxhzfkd", "付款单汇总", "", {}},

        {"MenuXt", "alxtdmwh", "系统代码维护", "进行系统代码维护", {}},
        {"MenuXt", "alxtYpDm", "商品代码维护", "进行商品编码信息维护", {}},
        {"MenuXt", "alXtBmk", "往来客户维护", "欠帐初始信息录入", {}},
        {"MenuXt", "alXtGys", "供应商信息", "商品供应商信息维护", {}},
        {"MenuXt", "alXtZbInit", "生成系统帐簿", "进行有关帐簿生成", {}},

        {"MenuCjgl", "alxtsetdate", "设置处理时间", "设置业务日期", {}},
        {"MenuCjgl", "alxtsetcfg", "设置用户信息", "", {}},
        {"MenuCjgl", "alxtInit", "系统数据初始", "", {}},
        {"MenuCjgl", "alxtgzrz", "工作日志管理", "", {}},
        {"MenuCjgl", "alxtczygl", "操作员管理", "", {}},
        {"MenuCjgl", "alxtsetwall", "设置背景图形", "", {}},
        {"MenuCjgl", "alXtSql", "系统ＳＱＬ定义", "进行系统ＳＱＬ定义", {}},
        {"MenuCjgl", "alxtCompact", "压缩数据库", "压缩系统数据库", {}},
        {"MenuCjgl", "alxtZtjc", "帐套检查[&J]", "检查帐套数据的一致性", {}},

        {"MenuYmYc", "alXtYm", "月末数据处理", "进行系统月末月初数据处理", {}},
        {"MenuYmYc", "alXtYc", "月初数据处理", "进行系统月初数据处理", {}},
        {"MenuYmYc", "alxtymyckg", "系统月初开工", "", {}},

        {"MenuWindows", "WindowArrange1", "排列[&Arrange]", "排列...", {}},
        {"MenuWindows", "WindowCascade1", "级联[C&asade]", "级联...", {}},
        {"MenuWindows", "WindowTileHorizontal1", "排列[&Tile]", "排列...", {}},
        {"MenuWindows", "alWIndowsNext", "下一窗口[&Next]", "下一个窗口...", QKeySequence("Ctrl+F6")},

        {"MenuHelp", "alfhelp", "帮助[&Help]", "查看系统帮助...", QKeySequence("F1")},
        {"MenuHelp", "alfCalc", "计算器[&C]", "系统计算器", QKeySequence("Ctrl+L")},
        {"MenuHelp", "alfTxl", "通讯录", "通讯录", {}},
        {"MenuHelp", "alfAbout", "关于[&A]...", "关于本系统", {}},

        {"", "alfModiRep", "设计报表", "修改报表样式....", {}},
    };
    return table;
}

// The history-data mode's menu bar: queries, lists, summaries and printing.
// An entry naming a command of the table above is that command (with a
// caption of its own here when one is given); the others are this menu's own.
namespace {
struct HistoryEntry {
    const char* menu;
    const char* name;  // "-" a separator
    const char* caption = "";
    const char* hint = "";
};
const HistoryEntry kHistoryMenu[] = {
    {"MenuFileLs", "alLsSetPeriod", "设置查询期间", "设置查询期间"},
    {"MenuFileLs", "alfsql"},
    {"MenuFileLs", "alxtZtjc"},
    {"MenuFileLs", "-"},
    {"MenuFileLs", "alfSetPrn"},
    {"MenuFileLs", "alfPreview"},
    {"MenuFileLs", "alfprint"},
    {"MenuFileLs", "-"},
    {"MenuFileLs", "alLsClose", "返回[&Close]", "返回..."},
    {"MenuCxLs", "alCxspkm"},
    {"MenuCxLs", "alCxBmkM"},
    {"MenuCxLs", "alcxgyxx"},
    {"MenuCxLs", "-"},
    {"MenuCxLs", "alLsFkd", "历史支款凭证"},
    {"MenuCxLs", "alLsRkd", "历史入库单查询", "进行商品入库业务"},
    {"MenuCxLs", "alLsCkd", "历史出库单查询", "进行商品出库业务"},
    {"MenuCxLs", "alLsSkd", "历史欠帐回收", "进行欠款回收"},
    {"MenuCxLs", "-"},
    {"MenuCxLs", "alcxHzrkd", "历史入库单汇总"},
    {"MenuCxLs", "alcxhzckd", "历史出库单汇总"},
    {"MenuCxLs", "alcxhzskd", "历史收款单汇总"},
    {"MenuCxLs", "alcxhzfkd"},
    {"MenuWindowsLs", "WindowArrange1"},
    {"MenuWindowsLs", "WindowCascade1"},
    {"MenuWindowsLs", "WindowTileHorizontal1"},
    {"MenuWindowsLs", "alWIndowsNext"},
    {"MenuHelpLs", "alfhelp"},
    {"MenuHelpLs", "alfCalc"},
    {"MenuHelpLs", "alfTxl"},
    {"MenuHelpLs", "alfAbout"},
};
const QKeySequence kCloseKey("Alt+X");
}  // namespace

namespace {

// A toolbar button shows its command's caption without what belongs to the
// menu: the bracketed accelerator ("[&L]", "[Shu&t Down]"), "&" and trailing dots.
QString buttonText(QString caption) {
    static const QRegularExpression accelerator("\\[[^\\]]*\\]");
    caption.remove(accelerator).remove('&');
    while (caption.endsWith('.')) caption.chop(1);
    return caption.trimmed();
}

// A command's caption and hint, with what its toolbar button and tooltip show.
void setCaption(QAction* action, const QString& caption, const QString& hint) {
    action->setText(caption);
    action->setIconText(buttonText(caption));
    action->setStatusTip(hint);
    action->setToolTip(hint.isEmpty() ? buttonText(caption) : hint);
}

}  // namespace

Tfrmmain::Tfrmmain(const AppContext& context, const CommandRegistration& registerCommands, QWidget* parent)
    : QMainWindow(parent), context_(context), dbm_(context.dbm), session_(context.session),
      prompter_(context.prompter), rules_(new LoginRules(dbm_, session_, prompter_)) {
    setObjectName("frmmain");
    setWindowTitle("Quorvel商业信息系统");
    setWindowIcon(artwork::programIcon());
    QApplication::setApplicationDisplayName("");
    runLogin_ = [this] {
        return RunLogin(*rules_, session_, prompter_, [this](const QString& t) { setStatusText(1, t); }, this);
    };

    desktop_ = new DesktopArea(this);
    desktop_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    desktop_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(desktop_);
    connect(desktop_, &QMdiArea::subWindowActivated, this, &Tfrmmain::childActivated);
    // Ctrl+F4 (and Ctrl+W) close the active child window. The child windows'
    // own system menus would each claim these keys, which makes them
    // ambiguous as soon as two windows are open; the main window owns them.
    auto* closeChild = new QShortcut(this);
    closeChild->setKeys({QKeySequence("Ctrl+F4"), QKeySequence("Ctrl+W")});
    connect(closeChild, &QShortcut::activated, this, [this] {
        if (QMdiSubWindow* current = desktop_->currentSubWindow()) current->close();
    });

    bindShellCommands();
    if (registerCommands) registerCommands(registry_);
    buildCommands();
    buildStatusBar();
    connect(&session_, &Session::businessDateChanged, this, [this](const QString& t) { setStatusText(2, t); });
    setStatusText(2, Session::businessDateText(session_.businessDate(), false));
    setStatusText(3, "工作目录:" + session_.workingDirectory());
}

Tfrmmain::~Tfrmmain() {
    // Closing the children while the window goes must not reach this part of it.
    disconnect(desktop_, nullptr, this, nullptr);
    delete rules_;
}

void Tfrmmain::buildCommands() {
    // The top of the window: the menu bar (normal or history mode) over the control bar.
    auto* top = new QWidget(this);
    auto* topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->setSpacing(0);
    MenuMain = new QMenuBar(top);
    MenuMain->setObjectName("MenuMain");
    MenuLssj = new QMenuBar(top);
    MenuLssj->setObjectName("MenuLssj");
    MenuLssj->hide();
    mCtrlBar = new QWidget(top);
    mCtrlBar->setObjectName("mCtrlBar");
    auto* barLayout = new QHBoxLayout(mCtrlBar);
    barLayout->setContentsMargins(0, 0, 0, 0);
    barLayout->setSpacing(0);
    topLayout->addWidget(MenuMain);
    topLayout->addWidget(MenuLssj);
    topLayout->addWidget(mCtrlBar);
    setMenuWidget(top);

    const QList<QPair<QString, QString>> menus = {
        {"MenuFile", "文件[&F]"},   {"MenuYw", "日常业务[&A]"},   {"MenuCx", "综合查询[&B]"},
        {"MenuXt", "系统维护[&D]"}, {"MenuCjgl", "超级管理[&E]"}, {"MenuYmYc", "月末月初[&F]"},
        {"MenuWindows", "窗口[&W]"}, {"MenuHelp", "帮助[&H]"},
    };
    for (const auto& [name, title] : menus) {
        QMenu* m = MenuMain->addMenu(title);
        m->setObjectName(name);
        m->menuAction()->setObjectName(name + "Item");
        menus_.insert(name, m);
    }
    for (const Command& c : commands()) {
        QMenu* m = menus_.value(c.menu);
        if (QString(c.name) == "-") {
            m->addSeparator();
            continue;
        }
        auto* a = new QAction(this);
        a->setObjectName(c.name);
        setCaption(a, c.caption, c.hint);
        if (!c.key.isEmpty()) {
            a->setShortcut(c.key);
            a->setShortcutContext(Qt::ApplicationShortcut);
        }
        a->setEnabled(registry_.has(c.name));
        connect(a, &QAction::triggered, this, [this, name = QString(c.name)] { registry_.run(name, *this); });
        if (m) m->addAction(a);
        else addAction(a);  // toolbar only; keeps its shortcut alive
        actions_.insert(c.name, a);
    }
    // The period SQL table is not offered from the menu.
    actions_.value("alXtSql")->setVisible(false);

    listChildWindows(menus_.value("MenuWindows"));

    auto toolbar = [this, barLayout](const char* name, const QStringList& buttons) {
        auto* bar = new QToolBar(name, mCtrlBar);
        bar->setObjectName(name);
        bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
        for (const QString& b : buttons) {
            if (b == "-") bar->addSeparator();
            else bar->addAction(actions_.value(b));
        }
        barLayout->addWidget(bar);
        return bar;
    };
    ToolBarYw = toolbar("ToolBarYw", {"alYwYpRk", "alYwYpCk", "-", "alCxspkm"});
    ToolBarXt = toolbar("ToolBarXt", {"alfprint", "alfPreview", "-", "alfModiRep", "alfSetPrn", "-", "alfLogin",
                                      "alfCalc", "alfTxl", "-", "alfAbout", "-", "alfClose"});
    barLayout->addStretch();
    buildHistoryMenu();
}

void Tfrmmain::listChildWindows(QMenu* windows) {
    // The window menu lists the open child windows at its end.
    QAction* listStart = windows->addSeparator();
    connect(windows, &QMenu::aboutToShow, this, [this, windows, listStart] {
        const QList<QAction*> all = windows->actions();
        for (qsizetype i = all.indexOf(listStart) + 1; i < all.size(); ++i) windows->removeAction(all[i]), delete all[i];
        for (QMdiSubWindow* sub : desktop_->subWindowList()) {
            QAction* a = windows->addAction(sub->windowTitle());
            a->setCheckable(true);
            a->setChecked(sub == desktop_->activeSubWindow());
            connect(a, &QAction::triggered, this, [this, sub] { desktop_->setActiveSubWindow(sub); });
        }
    });
}

void Tfrmmain::buildHistoryMenu() {
    const QList<QPair<QString, QString>> menus = {
        {"MenuFileLs", "文件[&F]"}, {"MenuCxLs", "综合查询[&B]"}, {"MenuWindowsLs", "窗口[&W]"}, {"MenuHelpLs", "帮助[&H]"}};
    for (const auto& [name, title] : menus) {
        QMenu* m = MenuLssj->addMenu(title);
        m->setObjectName(name);
        m->menuAction()->setObjectName(name + "Item");
        menus_.insert(name, m);
    }
    for (const HistoryEntry& e : kHistoryMenu) {
        QMenu* m = menus_.value(e.menu);
        if (QString(e.name) == "-") {
            m->addSeparator();
            continue;
        }
        QAction* a = actions_.value(e.name);
        if (!a) {
            a = new QAction(this);
            a->setObjectName(e.name);
            setCaption(a, e.caption, e.hint);
            a->setShortcutContext(Qt::ApplicationShortcut);
            a->setEnabled(registry_.has(e.name));
            connect(a, &QAction::triggered, this, [this, name = QString(e.name)] { registry_.run(name, *this); });
            actions_.insert(e.name, a);
        } else if (*e.caption) {
            historyCaptions_.insert(e.name, e.caption);
        }
        m->addAction(a);
    }
    listChildWindows(menus_.value("MenuWindowsLs"));
}

bool Tfrmmain::historyMode() const { return !MenuLssj->isHidden(); }

void Tfrmmain::showHistoryMenus(bool on) {
    mCtrlBar->setVisible(!on);
    MenuMain->setVisible(!on);
    MenuLssj->setVisible(on);
    // The keys follow the menu bar shown: only its commands answer, and
    // Alt+X returns from history mode instead of closing the program.
    QSet<QString> history;
    for (const HistoryEntry& e : kHistoryMenu) history.insert(e.name);
    for (const Command& c : commands())
        if (QAction* a = actions_.value(c.name); a && !history.contains(c.name)) a->setShortcut(on ? QKeySequence() : c.key);
    actions_.value("alLsClose")->setShortcut(on ? kCloseKey : QKeySequence());
    for (const Command& c : commands())
        if (historyCaptions_.contains(c.name))
            setCaption(actions_.value(c.name), on ? historyCaptions_.value(c.name) : c.caption, c.hint);
}

void Tfrmmain::buildStatusBar() {
    QStatusBar* stb = statusBar();
    stb->setObjectName("stb");
    stb->setSizeGripEnabled(false);
    const int widths[] = {80, 260, 160, 0};
    for (int i = 0; i < 4; ++i) {
        auto* panel = new QLabel(stb);
        panel->setObjectName(QString("stbPanel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        if (widths[i]) panel->setMinimumWidth(widths[i]);
        stb->addPermanentWidget(panel, i == 3 ? 1 : 0);
        panels_.append(panel);
    }
}

QAction* Tfrmmain::command(const QString& name) const { return actions_.value(name); }

QMenu* Tfrmmain::menu(const QString& name) const { return menus_.value(name); }

QString Tfrmmain::statusText(int panel) const { return panels_.value(panel) ? panels_[panel]->text() : QString(); }

void Tfrmmain::setStatusText(int panel, const QString& text) {
    if (QLabel* label = panels_.value(panel)) label->setText(text);
}

void Tfrmmain::setCommandEnabled(const QString& name, bool on) {
    // A command whose window is not built yet stays disabled.
    actions_.value(name)->setEnabled(on && registry_.has(name));
}

void Tfrmmain::setCommandVisible(const QString& name, bool on) { actions_.value(name)->setVisible(on); }

void Tfrmmain::setMenuVisible(const QString& name, bool on) {
    if (name == "ToolBarYw") ToolBarYw->setVisible(on);
    else menus_.value(name)->menuAction()->setVisible(on);
}

bool Tfrmmain::startUp() {
    session_.settings = SystemSettings::load(session_.workingDirectory());
    if (!session_.settings.wallpaper.isEmpty() && !desktop_->setWallpaper(session_.settings.wallpaper))
        session_.settings.wallpaper.clear();  // the built-in logo stays for this run
    session_.setLoggedIn(false);
    if (!runLogin_() || !session_.mayWork()) {
        session_.setLoggedIn(false);
        prompter_.message(LoginRules::kNoRight);
        return false;
    }
    openSession();
    return true;
}

void Tfrmmain::openSession() {
    applyAdministratorRight();
    if (!refreshWorkState()) prompter_.message("月末处理后还没有开工，不能进行日常业务处理！");
    session_.setLoggedIn(true);
}

bool Tfrmmain::refreshWorkState() {
    const bool open = dbm_.dailyBusinessOpen();
    setMenuVisible("MenuYw", open);
    setMenuVisible("ToolBarYw", open);
    return open;
}

void Tfrmmain::applyAdministratorRight() {
    const bool admin = session_.isAdministrator();
    for (const char* name : {"alxtczygl", "alxtgzrz", "alxtInit"}) setCommandEnabled(name, admin);
    for (const char* name : {"alfsql", "alxtsetcfg"}) setCommandVisible(name, admin);
    setMenuVisible("MenuYmYc", admin);
}

void Tfrmmain::loginCommand() {
    if (session_.loggedIn()) logout();
    else relogin();
}

namespace {
const char* const kSessionCommands[] = {"alfPWD", "alcxlssj", "alfsql", "alxtsetdate", "alxtgzrz", "alxtczygl"};
const char* const kSessionMenus[] = {"MenuYmYc", "MenuYw", "MenuCx", "MenuXt", "MenuCjgl", "ToolBarYw"};
}  // namespace

void Tfrmmain::logout() {
    session_.setLoggedIn(false);
    for (const char* name : kSessionCommands) setCommandEnabled(name, false);
    setCommandVisible("alxtsetcfg", false);
    for (const char* name : kSessionMenus) setMenuVisible(name, false);
    setCaption(command("alfLogin"), "系统登录[&L]...", "重新登陆本系统[Ctrl+Alt+L]");
    rules_->logout();
}

void Tfrmmain::relogin() {
    if (!runLogin_() || !session_.mayWork()) {
        prompter_.message("登录失败");
        session_.setLoggedIn(false);
        return;
    }
    for (const char* name : kSessionCommands) setCommandEnabled(name, true);
    setCommandVisible("alxtsetcfg", true);
    for (const char* name : kSessionMenus) setMenuVisible(name, true);
    openSession();
    setCaption(command("alfLogin"), "系统注销[&L]....", "注销本系统[Ctrl+Alt+L]");
}

void Tfrmmain::changePassword() { rules_->changePassword(); }

void Tfrmmain::bindShellCommands() {
    CommandRegistry& r = registry_;
    r.bind("alfLogin", &Tfrmmain::loginCommand);
    r.bind("alfPWD", &Tfrmmain::changePassword);
    r.bind("alfSetPrn", &Tfrmmain::printerSetup);
    r.bind("alfClose", [](Tfrmmain& m) { m.close(); });
    r.bind("WindowArrange1", [](Tfrmmain& m) { m.desktop_->arrangeIcons(); });
    r.bind("WindowCascade1", [](Tfrmmain& m) { m.desktop_->cascadeSubWindows(); });
    r.bind("WindowTileHorizontal1", [](Tfrmmain& m) { m.desktop_->tileSubWindows(); });
    r.bind("alWIndowsNext", [](Tfrmmain& m) { m.desktop_->activateNextSubWindow(); });
    // No help file is configured: the command asks for nothing.
    r.bind("alfhelp", [](Tfrmmain&) {});
    r.bind("alfCalc", &Tfrmmain::startCalculator);
    r.bind("alcxlssj", &Tfrmmain::enterHistory, {.whenChildrenOpen = "请先结束当前业务处理再进行历史数据查询!"});
    r.bind("alLsSetPeriod", &Tfrmmain::changeHistoryPeriod,
           {.whenChildrenOpen = "请先结束当前查询处理再改变数据查询期间!"});
    r.bind("alLsClose", &Tfrmmain::returnToNormal);
}

QString Tfrmmain::choosePeriod(bool tellPeriod) {
    TfrmSetHis dialog(session_.businessYear(), session_.businessMonth(), this);
    if (dialog.exec() != QDialog::Accepted) return {};
    const int year = dialog.spyy->value(), month = dialog.spmm->value();
    if (tellPeriod) prompter_.message(QString("查询数据期间:%1年%2月").arg(year).arg(month, 2, 10, QChar('0')));
    // The copy month-end made of that month.
    const QString path = paths::resolve(session_.workingDirectory(),
                                        "data\\" + period::MonthEnd::backupFileName(QDate(year, month, 1)));
    if (!QFileInfo::exists(path)) {
        prompter_.message("指定期间数据不存在");
        return {};
    }
    return path;
}

bool Tfrmmain::reopenOrStop(const std::function<void()>& reopen) {
    try {
        reopen();
        return true;
    } catch (const DbError& e) {
        prompter_.message(e.message());
        session_.setLoggedIn(false);  // nothing can be written on the way out
        QCoreApplication::exit(1);
        return false;
    }
}

namespace {
const QString kCannotOpenPeriod = Prompter::lines("无法打开指定期间数据,", "指定期间无效!");
}

void Tfrmmain::enterHistory() {
    const QString path = choosePeriod(true);
    if (path.isEmpty()) return;
    try {
        dbm_.openHistory(path);
    } catch (const DbError&) {
        prompter_.message(kCannotOpenPeriod);
        reopenOrStop([this] { dbm_.open(); });
        return;
    }
    setStatusText(2, QString("历史数据:%1年%2月").arg(session_.businessYear()).arg(session_.businessMonth()));
    showHistoryMenus(true);
}

void Tfrmmain::changeHistoryPeriod() {
    if (!historyMode()) return;
    const QString path = choosePeriod(false);
    if (path.isEmpty()) return;
    const QString previous = dbm_.dbapp.path();
    try {
        dbm_.openHistory(path);
    } catch (const DbError&) {
        prompter_.message(kCannotOpenPeriod);
        reopenOrStop([this, previous] { dbm_.openHistory(previous); });
        return;
    }
    setStatusText(2, QString("历史数据:%1年%2月").arg(session_.businessYear()).arg(session_.businessMonth()));
}

void Tfrmmain::returnToNormal() {
    if (!historyMode()) return;
    if (childCount() > 0) {
        // Each use closes one child window, as Alt+X does in normal mode.
        QMdiSubWindow* active = desktop_->activeSubWindow();
        (active ? active : desktop_->subWindowList().constFirst())->close();
        return;
    }
    if (!reopenOrStop([this] { dbm_.open(); })) return;
    showHistoryMenus(false);
    refreshWorkState();
    setStatusText(2, Session::businessDateText(session_.businessDate(), true));
    prompter_.message("现在进行的是正常业务处理.");
}

void Tfrmmain::printerSetup() {
    QPrintDialog dialog(&currentPrinter(), this);
    dialog.setWindowTitle("设置打印机");
    dialog.exec();
}

void Tfrmmain::startCalculator() {
    for (const char* program : {"gnome-calculator", "kcalc", "galculator", "mate-calc", "xcalc"}) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty() && QProcess::startDetached(path, {})) return;
    }
    prompter_.message("没有找到计算器程序!");
}

ChildWindow* Tfrmmain::showChild(const QString& key, const std::function<ChildWindow*()>& create) {
    QMdiSubWindow* existing = children_.value(key);
    if (existing && desktop_->subWindowList().contains(existing)) {  // not one closing right now
        existing->showNormal();
        desktop_->setActiveSubWindow(existing);
        return qobject_cast<ChildWindow*>(existing->widget());
    }
    ChildWindow* child = create();
    const QSize wanted = child->size();
    QMdiSubWindow* sub = desktop_->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    if (QMenu* system = sub->systemMenu())
        for (QAction* action : system->actions()) action->setShortcuts({});
    // The size the window asked for, within the desktop.
    sub->resize(wanted.boundedTo(desktop_->viewport()->size()).expandedTo(sub->minimumSizeHint()));
    connect(child, &ChildWindow::positionTextChanged, this, [this](const QString& t) { setStatusText(0, t); });
    children_.insert(key, sub);
    sub->show();
    // Wholly on the desktop where it fits, its buttons within reach.
    const QRect area = desktop_->viewport()->rect();
    if (!area.contains(sub->geometry()))
        sub->move(std::max(0, std::min(sub->x(), area.width() - sub->width())),
                  std::max(0, std::min(sub->y(), area.height() - sub->height())));
    desktop_->setActiveSubWindow(sub);
    return child;
}

int Tfrmmain::childCount() const { return int(desktop_->subWindowList().size()); }

void Tfrmmain::childActivated(QMdiSubWindow* window) {
    auto* child = window ? qobject_cast<ChildWindow*>(window->widget()) : nullptr;
    if (plugged_ != child) {
        for (const QMetaObject::Connection& c : printHandlers_) disconnect(c);
        printHandlers_.clear();
        for (const char* name : {"alfprint", "alfPreview", "alfModiRep"}) command(name)->setEnabled(false);
        plugged_ = child;
        if (child) {
            const int offered = child->printCommands();
            auto plug = [&](const char* name, ChildWindow::PrintCommand which, void (ChildWindow::*handler)()) {
                if (!(offered & which)) return;
                // A menu command leaves the cell being typed in open: finish it first.
                printHandlers_.append(connect(command(name), &QAction::triggered, child, [child, handler] {
                    if (finishPendingEdits(child, true)) (child->*handler)();
                }));
                command(name)->setEnabled(true);
            };
            plug("alfprint", ChildWindow::Print, &ChildWindow::print);
            plug("alfPreview", ChildWindow::Preview, &ChildWindow::preview);
            plug("alfModiRep", ChildWindow::Design, &ChildWindow::designReport);
        }
    }
    setStatusText(1, child ? child->activityText() : kReady);
    if (child) child->activated();
}

bool Tfrmmain::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !desktop_->activeSubWindow()) setStatusText(1, kReady);
    return QMainWindow::event(event);
}

void Tfrmmain::closeEvent(QCloseEvent* event) {
    if (childCount() > 0) {
        QMdiSubWindow* active = desktop_->activeSubWindow();
        (active ? active : desktop_->subWindowList().constFirst())->close();
        event->ignore();
        return;
    }
    if (session_.loggedIn()) {
        if (!prompter_.question("是否要退出本系统？")) {
            event->ignore();
            return;
        }
        dbm_.writeWorkLog("正常退出本系统");
        rules_->markLoggedOut();
    }
    event->accept();
}
