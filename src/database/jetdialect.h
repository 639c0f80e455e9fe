// The Jet dialect step: every statement passes through it before the engine sees it.
#pragma once

#include <QString>
#include <QStringList>

// Rewrites what the engine lacks and leaves the rest alone:
// - "…" string literals become '…' (Jet quotes strings either way);
// - #…# date literals (#2003-07-01#, #07/01/2003#, with or without a time)
//   become 'yyyy-MM-dd HH:mm:ss' texts, the form dates are stored in;
// - True / False become 1 / 0;
// - in "alter table" and "create table", the Jet type names (Short, Long,
//   logical, Yes/No, Text(n), Memo, Double, DateTime…) become the declared
//   types the data layer converts by.
// - & joins texts (||), as in Jet; it is never a bitwise and;
// - Left( and Right( become jet_left( and jet_right( (the engine reads the
//   bare words as joins), Date() and Now() the engine's jet_date() and jet_now().
// Single-quoted literals, [bracketed] names and :parameters pass unchanged.
QString translateJetSql(const QString& jetSql);

// The statements of a text that holds several, split at the semicolons that
// stand outside literals, [names] and comments; pieces holding nothing but
// blanks and comments are left out.
QStringList splitJetStatements(const QString& jetSql);

struct sqlite3;
// Teaches a connection the Jet functions an administrator types: IIf, Nz,
// Mid, Left, Right, Len, UCase, LCase, Date(), Now() and Format of a date
// (Trim, LTrim and RTrim the engine has). Called on every opening.
void registerJetFunctions(sqlite3* db);
