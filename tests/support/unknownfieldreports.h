// Collects what the data layer reports of field names nobody knows (see
// reportUnknownField) while it lives, so a test can fail on them. Every other
// message goes on to the handler that was there before.
#pragma once

#include <QLoggingCategory>
#include <QStringList>

class UnknownFieldReports {
public:
    UnknownFieldReports() : outer_(current_), previous_(qInstallMessageHandler(&collect)) { current_ = this; }
    ~UnknownFieldReports() {
        qInstallMessageHandler(previous_);
        current_ = outer_;
    }
    UnknownFieldReports(const UnknownFieldReports&) = delete;
    UnknownFieldReports& operator=(const UnknownFieldReports&) = delete;

    QStringList reports;  // "<where>: no field \"<name>\"", in the order told

private:
    static void collect(QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (qstrcmp(context.category, "quorvel.fields") == 0) current_->reports.append(message);
        else current_->previous_(type, context, message);
    }
    static inline UnknownFieldReports* current_ = nullptr;
    UnknownFieldReports* outer_;
    QtMessageHandler previous_;
};
