#include "admin/addressbook.h"

#include "database/rowset.h"

namespace addressbook {

QString searchText(const RowView& contact) {
    QString all;
    for (const char* field : {"姓名", "电话", "传真", "移动电话", "地址", "邮编", "工作单位"})
        all += contact.value(QString::fromUtf8(field)).toString();
    return all;
}

void addSearchField(RowSet& contacts) { contacts.addCalculatedField("ALL", searchText); }

}  // namespace addressbook
