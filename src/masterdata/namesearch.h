// Find by name and find next, as the goods catalogue and the pick lists offer them.
#pragma once

#include <QString>

class Prompter;
class RowSet;

namespace namesearch {

// The first row whose field contains the text (blanks around it ignored;
// nothing for an empty text). No match: the last row and "没有匹配的记录!".
// The rows are searched without moving the cursor row by row, so the grid
// is not redrawn during the search.
void find(RowSet& rows, const QString& field, const QString& text, Prompter& prompter);
// The same from the row after the current one, silently; no further match
// goes back to the first row.
void findNext(RowSet& rows, const QString& field, const QString& text);

// The code box of a pick list: the first row whose code starts with the
// text, without regard to case. No match (or an empty text) leaves the cursor where it was.
bool seekCode(RowSet& rows, const QString& field, const QString& text);

}  // namespace namesearch
