// The Jet dialect step: every statement passes through it before the engine sees it.
#pragma once

#include <QString>

// Rewrites what the engine lacks and leaves the rest alone:
// - "…" string literals become '…' (Jet quotes strings either way);
// - #…# date literals (#2003-07-01#, #07/01/2003#, with or without a time)
//   become 'yyyy-MM-dd HH:mm:ss' texts, the form dates are stored in;
// - True / False become 1 / 0;
// - in "alter table" and "create table", the Jet type names (Short, Long,
//   logical, Yes/No, Text(n), Memo, Double, DateTime…) become the declared
//   types the data layer converts by.
// Single-quoted literals, [bracketed] names and :parameters pass unchanged.
QString translateJetSql(const QString& jetSql);
