// Session: who is logged in, with which rights, on which business date.
#pragma once

#include <QDate>
#include <QObject>
#include <QString>

#include "shell/systemsettings.h"

#include <array>

class Session : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kNoLoginName = "登录名";
    static constexpr const char* kNoOperatorName = "姓　名";

    explicit Session(const QString& workingDirectory, QObject* parent = nullptr);

    QString workingDirectory() const { return workingDirectory_; }

    QString loginName() const { return loginName_; }
    QString operatorName() const { return operatorName_; }
    // Rights R1..R16, index 1..16.
    bool right(int r) const { return rights_.at(r - 1); }
    bool isAdministrator() const { return right(16); }
    // R1 (daily business) or R16 (administrator) lets an operator work at all.
    bool mayWork() const { return right(1) || right(16); }
    void setOperator(const QString& loginName, const QString& operatorName, const std::array<bool, 16>& rights);

    bool loggedIn() const { return loggedIn_; }
    void setLoggedIn(bool on) { loggedIn_ = on; }

    // The date every new document carries; chosen at login, changed by the
    // set-date command; never the clock.
    QDate businessDate() const { return businessDate_; }
    int businessYear() const { return businessDate_.year(); }
    int businessMonth() const { return businessDate_.month(); }
    int businessDay() const { return businessDate_.day(); }
    // withDay: the set-date command's form, "业务日期:2004年3月5日".
    void setBusinessDate(const QDate& date, bool withDay = false);
    // Status panel 2's text: "业务日期:2004年3月", with "5日" after the set-date command.
    static QString businessDateText(const QDate& date, bool withDay);

    // The switches of SYS_VEXA.INI, read at start-up; the settings dialog
    // changes them and they take effect at once.
    SystemSettings settings;

signals:
    void businessDateChanged(const QString& statusText);

private:
    QString workingDirectory_;
    QString loginName_ = kNoLoginName;
    QString operatorName_ = kNoOperatorName;
    std::array<bool, 16> rights_{};
    bool loggedIn_ = false;
    QDate businessDate_ = QDate::currentDate();
};
