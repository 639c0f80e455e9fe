// Program entry of the window program. It reads no arguments; its working
// directory is the directory it was started in.
#include "app/commands.h"
#include "shell/forms/application.h"
#include "shell/forms/qtprompter.h"
#include "shell/forms/startup.h"
#include "shell/session.h"

#include <QDir>
#include <QFont>

int main(int argc, char** argv) {
    QuorvelApplication app(argc, argv);
    loadQtTranslations(app);
    // "宋体" 9 pt where it is installed; fontconfig falls back to a CJK face.
    QFont font;
    font.setFamilies({"宋体", "SimSun", "AR PL UMing CN", "Noto Serif CJK SC", "Noto Sans CJK SC"});
    font.setPointSize(9);
    app.setFont(font);

    Session session(QDir::currentPath());
    QtPrompter prompter;
    app.setPrompter(&prompter);
    return runProgram(session, prompter, registerCommands);
}
