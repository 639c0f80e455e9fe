#include "documents/forms/headernavigator.h"

#include "database/rowset.h"
#include "shell/forms/buttonrow.h"

#include <QList>
#include <QPushButton>

#include <tuple>

void addHeaderNavigator(ButtonRow& strip, RowSet& headers) {
    for (const auto& [name, glyph, hint, move] :
         QList<std::tuple<const char*, const char*, const char*, bool (RowSet::*)()>>{
             {"nbFirst", "|◀", "第一条单据", &RowSet::first},
             {"nbPrior", "◀", "上一条单据", &RowSet::prior},
             {"nbNext", "▶", "下一条单据", &RowSet::next},
             {"nbLast", "▶|", "最后一条单据", &RowSet::last}}) {
        QPushButton* b = strip.add(name, glyph, [&headers, move] { (headers.*move)(); });
        b->setToolTip(hint);
        b->setFixedWidth(28);
    }
}
