// Test books that take thousands of writes: the engine stops waiting for the
// disk at every commit. A test book is thrown away afterwards, so nothing is
// lost if the machine stops meanwhile; how the program opens books is untouched.
#pragma once

#include "database/database.h"

inline void writeWithoutWaitingForTheDisk(Database& db) { db.exec("pragma synchronous = off"); }
