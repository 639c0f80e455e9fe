#include "app/commands.h"
#include "database/database.h"
#include "shell/forms/application.h"
#include "shell/forms/startup.h"
#include "shell/session.h"
#include "support/scriptedprompter.h"

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(StartUp, WithoutADatabaseTheProgramSaysHowToMakeOneAndEnds) {
    QTemporaryDir dir;
    Session session(dir.path());
    ScriptedPrompter prompter;
    EXPECT_EQ(runProgram(session, prompter, registerCommands), 1);
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].contains("DbVexa.mdb"));
    EXPECT_TRUE(prompter.messages[0].contains("quorvel-admin init"));
}

TEST(StartUp, ADamagedDatabaseEndsTheProgramWithTheDataLayersMessage) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("DATA");
    QFile file(dir.path() + "/DATA/DbVexa.mdb");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(8192, '\x5a'));
    file.close();
    Session session(dir.path());
    ScriptedPrompter prompter;
    EXPECT_EQ(runProgram(session, prompter, registerCommands), 1);
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages[0].contains("口令不符")) << prompter.messages[0].toStdString();
    EXPECT_FALSE(prompter.messages[0].contains("quorvel-admin"));
}

// A handler that meets a database failure nobody catches (a full disk, a
// locked file): the program shows the data layer's message and goes on.
TEST(StartUp, AnUncaughtDatabaseErrorIsShownNotFatal) {
    ScriptedPrompter prompter;
    auto* app = static_cast<QuorvelApplication*>(QCoreApplication::instance());
    app->setPrompter(&prompter);
    struct Failing : QObject {
        bool event(QEvent*) override { throw DbError(DbError::Kind::Other, "database or disk is full"); }
    } failing;
    QEvent poke(QEvent::User);
    EXPECT_TRUE(QCoreApplication::sendEvent(&failing, &poke));
    app->setPrompter(nullptr);
    EXPECT_EQ(prompter.messages, QStringList{"database or disk is full"});
}

// Qt's own dialogs speak the program's language: a message box's standard
// buttons read 确定 and 取消.
TEST(StartUp, QtsOwnButtonsSayChineseOnceItsTranslationsAreLoaded) {
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_zh_CN.qm"))
        GTEST_SKIP() << "Qt's translations are not installed (qt6-translations-l10n)";
    ASSERT_TRUE(loadQtTranslations(*QCoreApplication::instance()));
    QMessageBox box(QMessageBox::NoIcon, "", "", QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), "确定");
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "取消");
}

}  // namespace
