// A fresh book opened as the program opens it: a temporary working
// directory, the data module on its database, and the context every window
// is given, answering through the scripted prompter.
#pragma once

#include "shell/appcontext.h"
#include "shell/session.h"
#include "shell/udbm.h"
#include "support/scriptedprompter.h"
#include "support/testdatabase.h"

class OpenBook {
public:
    OpenBook();

    TestDatabase t;
    ScriptedPrompter prompter;
    Session session;
    Tfdbm dbm;
    AppContext context{dbm, session, prompter};
};
