#include "support/openbook.h"

OpenBook::OpenBook() : session(t.workingDirectory()), dbm(session) { dbm.open(); }
