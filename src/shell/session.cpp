#include "shell/session.h"

#include <QDir>

Session::Session(const QString& workingDirectory, QObject* parent)
    : QObject(parent), workingDirectory_(QDir::cleanPath(workingDirectory)) {}

void Session::setOperator(const QString& loginName, const QString& operatorName, const std::array<bool, 16>& rights) {
    loginName_ = loginName;
    operatorName_ = operatorName;
    rights_ = rights;
}

void Session::setBusinessDate(const QDate& date, bool withDay) {
    businessDate_ = date;
    emit businessDateChanged(businessDateText(date, withDay));
}

QString Session::businessDateText(const QDate& date, bool withDay) {
    QString text = QString("业务日期:%1年%2月").arg(date.year()).arg(date.month());
    if (withDay) text += QString("%1日").arg(date.day());
    return text;
}
