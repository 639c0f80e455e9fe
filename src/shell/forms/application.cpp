#include "shell/forms/application.h"

#include "database/database.h"
#include "shell/forms/qtprompter.h"

#include <QLibraryInfo>
#include <QProxyStyle>
#include <QTranslator>

namespace {

// The platform style's password boxes show a bullet per character; operators
// know a "*".
class PasswordStarStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter) return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

QuorvelApplication::QuorvelApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setStyle(new PasswordStarStyle(style()->name()));
}

bool QuorvelApplication::notify(QObject* receiver, QEvent* event) {
    QString text;
    try {
        return QApplication::notify(receiver, event);
    } catch (const DbError& e) {
        text = e.message();
    } catch (const std::exception& e) {
        text = QString::fromLocal8Bit(e.what());
    }
    QtPrompter fallback;
    (prompter_ ? *prompter_ : static_cast<Prompter&>(fallback)).message(text);
    return true;
}

bool loadQtTranslations(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
