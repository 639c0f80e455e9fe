// The address book (atxl): the text a contact is searched by.
#pragma once

#include <QString>

class RowSet;
class RowView;

namespace addressbook {

// 姓名, 电话, 传真, 移动电话, 地址, 邮编 and 工作单位 joined without separators,
// empty ones left out. The whole text is searched, however long.
QString searchText(const RowView& contact);
// Adds it to the contacts as the calculated field ALL.
void addSearchField(RowSet& contacts);

}  // namespace addressbook
