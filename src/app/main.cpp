// Program entry of the window program: splash, data module, main window with
// its login, then the message loop until the main window closes.
#include "database/database.h"
#include "shell/forms/qtprompter.h"
#include "shell/forms/umain.h"
#include "shell/forms/usplash.h"
#include "shell/session.h"
#include "shell/udbm.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // "宋体" 9 pt where it is installed; fontconfig falls back to a CJK face.
    QFont font;
    font.setFamilies({"宋体", "SimSun", "AR PL UMing CN", "Noto Serif CJK SC", "Noto Sans CJK SC"});
    font.setPointSize(9);
    app.setFont(font);

    auto* splash = new Tsplashform;
    splash->show();
    splash->repaint();
    app.processEvents();

    Session session(QDir::currentPath());
    QtPrompter prompter;
    Tfdbm dbm(session);
    try {
        dbm.open();
    } catch (const DbError& e) {
        delete splash;
        QString text = e.message();
        if (!QFileInfo::exists(dbm.databaseFile()))
            text = Prompter::lines(text, "请先用命令 quorvel-admin init <工作目录> --admin-password <口令> 建立数据库。");
        prompter.message(text);
        return 1;
    }

    Tfrmmain main(dbm, session, prompter);
    const bool started = main.startUp();
    delete splash;
    if (!started) return 1;
    // Without a window manager "maximised" means nothing; fill the screen then too.
    if (QScreen* screen = QGuiApplication::primaryScreen()) main.setGeometry(screen->availableGeometry());
    main.showMaximized();
    return app.exec();
}
