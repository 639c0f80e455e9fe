// Tfdbm: the data module, owner of the one connection, the configuration row
// and the work-log writer for the whole run.
#pragma once

#include "database/database.h"
#include "database/rowset.h"

class Session;

class Tfdbm {
public:
    explicit Tfdbm(Session& session);
    ~Tfdbm();

    // The connection steps of start-up: opens DATA/DbVexa.mdb below the
    // working directory with the key, brings the schema up to date and opens
    // the configuration row. Throws DbError with the engine's message.
    void open();
    // Points the connection at another file (history data, month-end copy,
    // compaction) and opens the configuration row again.
    void reopen(const QString& path);
    // Points the connection at a month's history copy for looking at: the
    // file refuses every change except the work-log rows and the operators'
    // logged-in state that the session itself writes there.
    void openHistory(const QString& path);
    bool showsHistory() const { return dbapp.isGuarded(); }
    // Closes the configuration cursor and then the connection.
    void close();

    QString databaseFile() const;

    Database dbapp;
    RowSet config;  // the one row of System

    // Appends one work-log row for the current operator. The login name,
    // name and text are cut to their columns, so an over-long text is still
    // logged. Failures propagate.
    void writeWorkLog(const QString& text);
    void writeWorkLog(const QString& loginName, const QString& operatorName, const QString& text);

    // The work state System.Sys2: "1" open for daily business.
    QString workState();
    bool dailyBusinessOpen() { return workState() == "1"; }

private:
    Session& session_;
};
