// Every command a subsystem registers, run on the demo book: each window and
// dialog opens, and none names a field the data does not have — a typo in
// any of the windows fails here.
#include "app/commands.h"
#include "shell/forms/umain.h"
#include "support/openbook.h"
#include "support/unknownfieldreports.h"
#include "tools/admintool.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(EveryWindow, OpensOnTheDemoBookKnowingEveryFieldItNames) {
    OpenBook book;
    loadDemoData(book.dbm.dbapp);
    book.dbm.config.refresh();
    UnknownFieldReports unknown;
    Tfrmmain main(book.context, registerCommands);
    main.show();

    // A dialog a command opens is looked at and closed again.
    QStringList dialogs;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&dialogs] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            dialogs.append(dialog->objectName());
            dialog->reject();
        }
    });
    closer.start(20);

    CommandRegistry registry;
    registerCommands(registry);
    QStringList commands = registry.commands();
    commands.sort();
    int windows = 0;
    for (const QString& name : commands) {
        const int before = main.childCount();
        main.command(name)->trigger();
        QApplication::processEvents();
        windows += main.childCount() - before;
        EXPECT_TRUE(unknown.reports.isEmpty()) << name.toStdString() << ": " << unknown.reports.join("; ").toStdString();
        unknown.reports.clear();
    }
    EXPECT_EQ(windows, 21) << "code tables, goods, customers, suppliers, stock-in, stock-out, work log, SQL console, "
                              "address book, goods stock, customer and supplier accounts, receipts, payments, orders, "
                              "period SQL, the history of stock-in, stock-out, receipts and payments, the book check";
    EXPECT_EQ(dialogs.size(), 9) << dialogs.join(",").toStdString()
                                 << ": settings, wallpaper, operators, about, the two money summaries, tidy-up and the "
                                    "two stock summaries (the date, compaction, shutdown and the period routines wait "
                                    "for no windows)";
}

}  // namespace
