#include "database/database.h"
#include "shell/forms/application.h"
#include "shell/forms/startup.h"
#include "shell/session.h"
#include "support/scriptedprompter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(StartUp, WithoutADatabaseTheProgramSaysHowToMakeOneAndEnds) {
    QTemporaryDir dir;
    Session session(dir.path());
    ScriptedPrompter prompter;
    EXPECT_EQ(runProgram(session, prompter), 1);
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
    EXPECT_EQ(runProgram(session, prompter), 1);
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

}  // namespace
