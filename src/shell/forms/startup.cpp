#include "shell/forms/startup.h"

#include "database/database.h"
#include "shell/forms/umain.h"
#include "shell/forms/usplash.h"
#include "shell/prompter.h"
#include "shell/session.h"
#include "shell/udbm.h"

#include <QApplication>
#include <QFileInfo>
#include <QScreen>

int runProgram(Session& session, Prompter& prompter, const CommandRegistration& registerCommands) {
    auto splash = std::make_unique<Tsplashform>();
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    Tfdbm dbm(session);
    try {
        dbm.open();
    } catch (const DbError& e) {
        splash.reset();
        QString text = e.message();
        if (!QFileInfo::exists(dbm.databaseFile()))
            text = Prompter::lines(text, "请先用命令 quorvel-admin init <工作目录> --admin-password <口令> 建立数据库。");
        prompter.message(text);
        return 1;
    }

    Tfrmmain main({dbm, session, prompter}, registerCommands);
    const bool started = main.startUp();
    splash.reset();
    if (!started) return 1;
    // Without a window manager "maximised" means nothing; fill the screen then too.
    if (QScreen* screen = QGuiApplication::primaryScreen()) main.setGeometry(screen->availableGeometry());
    main.showMaximized();
    main.activateWindow();  // the keyboard works at once, window manager or not
    return QApplication::exec();
}
