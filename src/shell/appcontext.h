// AppContext: what every window and command is given — the data module with
// its connection, the session and the prompter through which it speaks.
#pragma once

class Prompter;
class Session;
class Tfdbm;

struct AppContext {
    Tfdbm& dbm;
    Session& session;
    Prompter& prompter;
};
