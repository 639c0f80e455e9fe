// The navigator over a document window's headers: first, prior, next and
// last document, as narrow glyph buttons with their hints.
#pragma once

class ButtonRow;
class RowSet;

void addHeaderNavigator(ButtonRow& strip, RowSet& headers);
