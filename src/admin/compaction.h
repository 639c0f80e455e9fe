// Compacting the book: the database file rewritten without its free space,
// under the same key, and put in place of the old one.
#pragma once

#include <QString>

class Prompter;
class Tfdbm;

namespace compaction {

// Beside the database file.
inline constexpr const char* kTemporaryFile = "dbtmp.mdb";

// Closes the connection, compacts the database file into the temporary file
// (a leftover one is deleted first), checks the copy and puts it in the
// file's place by one rename, so that the database file is always there,
// old or compacted. Then the connection and the configuration row are open
// again on it. Tells "数据库压缩完成!" or "数据库压缩失败！"; true when compacted.
bool compact(Tfdbm& dbm, Prompter& prompter);

}  // namespace compaction
